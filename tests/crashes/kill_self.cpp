// 期望：出错位置：kill_self.cpp 第 10 行，函数 main
// 期望：这一行调用了 kill：是程序自己发出了这个信号，并不是出了上面说的那种错。
// 不应：参数不对
#include <csignal>
#include <cstdio>
#include <unistd.h>

int main() {
  std::puts("结束自己");
  kill(getpid(), SIGFPE);
  return 0;
}
