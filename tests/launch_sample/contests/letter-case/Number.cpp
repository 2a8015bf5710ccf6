// Its files named in lower case, though the program's name is not.
#include <cstdio>

int main() {
  std::freopen("number.in", "r", stdin);
  std::freopen("number.out", "w", stdout);
  int n;
  if (std::scanf("%d", &n) != 1) return 2;
  std::printf("%d\n", n * 2);
  return 0;
}
