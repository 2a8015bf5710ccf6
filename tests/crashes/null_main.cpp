// 期望：出错位置：null_main.cpp 第 7 行，函数 main
#include <cstdio>

int main() {
  int* p = nullptr;
  std::puts("马上要写入空指针了……");
  *p = 1;
  return 0;
}
