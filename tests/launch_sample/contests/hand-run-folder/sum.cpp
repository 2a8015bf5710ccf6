// The sum the contest way: its files by name through freopen.
#include <cstdio>

int main() {
  std::freopen("sum.in", "r", stdin);
  std::freopen("sum.out", "w", stdout);
  long long a, b;
  if (std::scanf("%lld%lld", &a, &b) != 2) return 2;
  std::printf("%lld\n", a + b);
  return 0;
}
