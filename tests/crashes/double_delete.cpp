// 期望：出错位置：double_delete.cpp 第 10 行，函数 main
// 期望：这一行申请或释放内存时，C 库发现堆内存已被破坏，中止了程序：常见原因是同一块内存释放了两次，或者数组越界写坏了堆。
// 不应：__
#include <cstdio>

int main() {
  int* p = new int[10];
  delete[] p;
  std::puts("释放了一次");
  delete[] p;
}
