// 编译：-O2
// 期望：出错位置：inlined_static.cpp 第 8 行（由 main 第 14 行调用）
#include <cstdio>

int* volatile where = nullptr;

static inline void store(int value) {
  *where = value;
}

int main() {
  int n = 0;
  if (std::scanf("%d", &n) != 1) n = 7;
  store(n);
  std::printf("%d\n", n);
}
