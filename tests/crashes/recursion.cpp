// 期望：出错位置：recursion.cpp 第 {5|7} 行，函数 dfs（由 dfs 第 7 行调用，共 {N} 层；最外层的 dfs 由 main 第 11 行调用）
// 期望：递归太深：函数 dfs 递归了 {N} 层，用完了栈空间。请检查递归的终止条件；确实需要这么深时，可以改用循环。
#include <cstdio>

int dfs(int n) {
  if (n < 0) return 0;
  return dfs(n + 1) + 1;
}

int main() {
  std::printf("%d\n", dfs(0));
}
