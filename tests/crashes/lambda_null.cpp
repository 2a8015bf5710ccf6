// 期望：出错位置：lambda_null.cpp 第 8 行，函数 main 里的 lambda（由 main 第 10 行调用）
// 不应：operator
#include <cstdio>

int main() {
  int* cells = nullptr;
  auto put = [&](int i, int v) {
    cells[i] = v;
  };
  put(3, 4);
  std::printf("%d\n", cells[3]);
}
