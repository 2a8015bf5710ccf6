// 期望：出错位置：thread_unjoined.cpp 第 12 行，函数 main
// 期望：这一行销毁的 std::thread 既没有 join 也没有 detach，程序因此中止（并没有异常）。
// 不应：抛出
#include <cstdio>
#include <thread>

void work() { std::puts("工作中"); }

int main() {
  std::thread t(work);
  return 0;
}
