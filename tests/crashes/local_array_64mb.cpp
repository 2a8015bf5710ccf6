// 期望：出错位置：local_array_64mb.cpp 第 9 行，函数 main
// 期望：栈空间用完了：这一行声明的局部数组 dp（64 MB）太大，可以把它改成全局数组。
// 不应：递归太深：
#include <cstdio>

int main() {
  int n = 0;
  if (std::scanf("%d", &n) != 1) n = 10;
  int dp[16 << 20];
  for (int i = 0; i < n; i++) dp[i] = i;
  std::printf("%d\n", dp[n - 1]);
}
