// A recursion a million calls deep, as a judge's stack allows.
#include <cstdio>

int Depth(int n) {
  volatile int keep[4] = {n, n, n, n};
  return n == 0 ? 0 : 1 + Depth(n - 1) + keep[0] * 0;
}

int main() {
  int n;
  if (std::scanf("%d", &n) != 1) return 2;
  std::printf("%d\n", Depth(n));
  return 0;
}
