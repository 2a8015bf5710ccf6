// 期望：出错位置：null_call.cpp 第 6 行，函数 set（由 fill 第 10 行调用；fill 由 main 第 15 行调用）
#include <cstdio>

int* cells = nullptr;

void set(int i, int v) { cells[i] = v; }

void fill(int n) {
  for (int i = 0; i < n; i++) {
    set(i, i * i);
  }
}

int main() {
  fill(10);
  std::printf("%d\n", cells[3]);
}
