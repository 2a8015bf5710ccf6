// 期望：出错位置：assert_fail.cpp 第 7 行，函数 check（由 main 第 11 行调用）
// 期望：这一行的断言（assert）不成立。
#include <cassert>
#include <cstdio>

void check(int n) {
  assert(n % 2 == 0);
}

int main() {
  check(3);
  std::puts("通过");
}
