// 输入：5
// 期望：出错位置：scanf_no_ampersand.cpp 第 8 行，函数 main
// 期望：出错时正在执行这一行调用的库函数：原因通常是传给它的参数不对（例如空指针、越界的下标或范围）。
#include <cstdio>

int main() {
  int n = 0;
  std::scanf("%d", n);
  std::printf("%d\n", n);
}
