// Checks its input with assert, as contestants do.
#include <cassert>
#include <cstdio>

int main() {
  int n;
  if (std::scanf("%d", &n) != 1) return 2;
  std::fprintf(stderr, "read n = %d\n", n);
  assert(n > 0);
  std::printf("%d\n", n);
  return 0;
}
