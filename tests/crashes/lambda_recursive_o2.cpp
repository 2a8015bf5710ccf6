// 编译：-O2
// 期望：递归太深：函数 main 里的 lambda 递归了 {N} 层，用完了栈空间。请检查递归的终止条件；确实需要这么深时，可以改用循环。
// 不应：operator
// 不应：局部数组
#include <cstdio>
#include <vector>

std::vector<int> g[100];

int main() {
  for (int i = 0; i < 100; i++) g[i].push_back((i + 1) % 100);
  auto dfs = [&](auto&& self, int u, int depth) -> int {
    int best = depth;
    for (int v : g[u]) best = std::max(best, self(self, v, depth + 1));
    return best;
  };
  std::printf("%d\n", dfs(dfs, 0, 0));
}
