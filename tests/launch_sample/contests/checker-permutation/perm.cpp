// Any permutation of 1..n whose neighbours differ by more than one is right;
// this one writes another than the answer file, and for n = 5 a wrong one.
#include <cstdio>

int main() {
  int n;
  std::scanf("%d", &n);
  for (int i = 2; i <= n; i += 2) std::printf("%d ", i);
  for (int i = 1; i <= n; i += 2) std::printf("%d ", n == 5 && i == 5 ? 3 : i);
  std::printf("\n");
  return 0;
}
