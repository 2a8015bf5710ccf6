// 输入：12 0
// 期望：出错位置：divide_input.cpp 第 6 行，函数 average（由 main 第 12 行调用）
#include <cstdio>

int average(int total, int count) {
  return total / count;
}

int main() {
  int total, count;
  if (std::scanf("%d %d", &total, &count) != 2) return 1;
  std::printf("%d\n", average(total, count));
}
