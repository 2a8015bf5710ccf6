// 期望：出错位置：recursion_array.cpp 第 {5|6|7} 行，函数 walk（由 walk 第 8 行调用，共 {N} 层；最外层的 walk 由 main 第 12 行调用）
// 不应：局部数组太大
#include <cstdio>

int walk(int depth) {
  int seen[1000];
  seen[depth % 1000] = depth;
  return walk(depth + 1) + seen[depth % 1000];
}

int main() {
  std::printf("%d\n", walk(0));
}
