// 期望：出错位置：vector_back_empty.cpp 第 7 行，函数 main
#include <cstdio>
#include <vector>

int main() {
  std::vector<int> stack;
  int top = stack.back();
  stack.pop_back();
  std::printf("%d\n", top);
}
