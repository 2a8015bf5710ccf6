// The statement's table of files, copied above the program: its name is not the problem's.
// | 题目名称   | 扩展       |
// | 输入文件名 | expand.in  |
// | 输出文件名 | expand.out |
#include <cstdio>

int main() {
  std::freopen("expand.in", "r", stdin);
  std::freopen("expand.out", "w", stdout);
  int n = 0;
  if (std::scanf("%d", &n) != 1) return 2;
  std::printf("%d\n", n * 2);
  return 0;
}
