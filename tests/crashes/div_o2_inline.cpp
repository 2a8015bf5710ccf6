// 编译：-O2
// 输入：5
// 期望：出错位置：div_o2_inline.cpp 第 8 行，函数 average（由 main 第 14 行调用）
#include <cstdio>

int n, cnt[10];

int average(int sum, int k) { return sum / k; }

int main() {
  std::scanf("%d", &n);
  int total = 0;
  for (int i = 0; i < n; i++) total += i;
  std::printf("%d\n", average(total, cnt[n]));
  return 0;
}
