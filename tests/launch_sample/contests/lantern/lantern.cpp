// In a CSP candidate's folder (lantern/lantern.cpp, the samples handed out
// beside it) but reading standard input: right on the samples, 0 in the
// contest. The freopen lines were commented out for testing by hand.
#include <cstdio>

int main() {
  // std::freopen("lantern.in", "r", stdin);
  // std::freopen("lantern.out", "w", stdout);
  int a, b;
  if (std::scanf("%d %d", &a, &b) != 2) return 1;
  std::printf("%d\n", a + b);
  return 0;
}
