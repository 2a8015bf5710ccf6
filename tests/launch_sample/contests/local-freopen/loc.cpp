// Its files only where LOCAL is defined, as on the student's own machine:
// the judge defines nothing, so it reads and writes the standard streams.
#include <cstdio>

int main() {
#ifdef LOCAL
  std::freopen("in.txt", "r", stdin);
  std::freopen("out.txt", "w", stdout);
#endif
  int n = 0;
  if (std::scanf("%d", &n) != 1) return 2;
  std::printf("%d\n", n * n);
  return 0;
}
