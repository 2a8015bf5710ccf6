// 期望：栈空间用完了：常见原因是函数里的局部数组太大，可以把它改成全局数组。
// 不应：递归太深：
#include <cstdio>

int main() {
  int n = 0;
  if (std::scanf("%d", &n) != 1) n = 10;
  int dp[16 << 20];
  for (int i = 0; i < n; i++) dp[i] = i;
  std::printf("%d\n", dp[n - 1]);
}
