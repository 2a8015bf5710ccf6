// 期望：出错位置：local_array_helper.cpp 第 7 行，函数 solve（由 main 第 14 行调用）
// 期望：栈空间用完了：这一行声明的局部数组 f（76.3 MB）太大，可以把它改成全局数组。
// 不应：递归太深：
#include <cstdio>

long long solve(int n) {
  long long f[10000000];
  f[0] = 1;
  for (int i = 1; i <= n; i++) f[i] = f[i - 1] * 2 % 1000007;
  return f[n];
}

int main() {
  std::printf("%lld\n", solve(20));
}
