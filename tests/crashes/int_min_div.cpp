// 输入：-2147483648 -1
// 期望：出错位置：int_min_div.cpp 第 8 行，函数 main
#include <cstdio>

int main() {
  int a, b;
  if (std::scanf("%d %d", &a, &b) != 2) return 1;
  std::printf("%d\n", a / b);
}
