// 期望：出错位置：raise_segv.cpp 第 9 行，函数 main
// 期望：这一行调用了 raise：是程序自己发出了这个信号，并不是出了上面说的那种错。
// 不应：参数不对
#include <csignal>
#include <cstdio>

int main() {
  std::puts("自己发出信号");
  std::raise(SIGSEGV);
  return 0;
}
