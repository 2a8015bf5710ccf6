// Reads and writes files as a contest asks; divides by zero for n = 5.
#include <cstdio>

int main() {
  std::freopen("crash.in", "r", stdin);
  std::freopen("crash.out", "w", stdout);
  int n;
  std::scanf("%d", &n);
  volatile int divisor = n - 5;
  int quotient = 100 / divisor;
  std::printf("%d\n", n * n + (quotient > 100));
  return 0;
}
