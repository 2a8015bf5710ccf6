// Sends its output to res.out only for large inputs: for small ones the judge reads
// standard output, as it does when no res.out is written.
#include <cstdio>

int main() {
  int n;
  if (std::scanf("%d", &n) != 1) return 2;
  if (n > 100) std::freopen("res.out", "w", stdout);
  std::printf("%d\n", n);
  return 0;
}
