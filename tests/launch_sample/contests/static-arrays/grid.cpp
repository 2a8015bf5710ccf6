// 内存限制：256 MB
// A grid declared for the largest case a student imagined, 300 MB of it,
// though the samples touch one cell: a judge that limits the address space
// refuses it before it starts.
#include <iostream>

int grid[10000][7680];

int main() {
  int n;
  std::cin >> n;
  grid[n][n] = n;
  std::cout << grid[n][n] * 2 << "\n";
  return 0;
}
