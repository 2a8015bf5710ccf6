// 期望：出错位置：abort_call.cpp 第 7 行，函数 main
// 期望：这一行调用了 abort。
#include <cstdlib>

int main() {
  int n = 0;
  if (n == 0) std::abort();
  return n;
}
