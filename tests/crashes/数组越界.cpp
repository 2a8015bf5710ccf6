// 期望：出错位置：数组越界.cpp 第 8 行，函数 main
#include <cstdio>

int a[100];

int main() {
  long long i = 1000000000;
  a[i] = 1;
  std::printf("%d\n", a[0]);
}
