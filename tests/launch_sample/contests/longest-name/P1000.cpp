// Problem P1000: a + b.
#include <cstdio>

int main() {
  long long a, b;
  if (std::scanf("%lld%lld", &a, &b) != 2) return 2;
  std::printf("%lld\n", a + b);
  return 0;
}
