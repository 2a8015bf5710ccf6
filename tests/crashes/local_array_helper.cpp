// 期望：栈空间用完了：常见原因是函数里的局部数组太大，可以把它改成全局数组。
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
