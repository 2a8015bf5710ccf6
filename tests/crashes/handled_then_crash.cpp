// 期望：出错位置：handled_then_crash.cpp 第 18 行，函数 main
// 不应：第 14 行
#include <csetjmp>
#include <csignal>
#include <cstdio>

std::jmp_buf back;

void on_fault(int) { std::longjmp(back, 1); }

int main() {
  std::signal(SIGSEGV, on_fault);
  int* volatile p = nullptr;
  if (setjmp(back) == 0) *p = 1;
  std::signal(SIGSEGV, SIG_DFL);
  std::puts("第一次已处理");
  int* volatile q = nullptr;
  *q = 2;
}
