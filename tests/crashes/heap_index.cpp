// 输入：100000000
// 期望：出错位置：heap_index.cpp 第 9 行，函数 main
#include <cstdio>

int main() {
  int n;
  if (std::scanf("%d", &n) != 1) return 1;
  int* a = new int[10];
  a[n] = 5;
  std::printf("%d\n", a[0]);
}
