// 期望：出错位置：uncaught_throw.cpp 第 7 行，函数 pick（由 main 第 12 行调用）
// 期望：这一行抛出的异常没有被捕获。
#include <cstdio>
#include <stdexcept>

int pick(int k) {
  if (k > 3) throw std::runtime_error("k 太大");
  return k;
}

int main() {
  std::printf("%d\n", pick(5));
}
