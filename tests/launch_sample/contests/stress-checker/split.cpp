// Two positive numbers that sum to n (any pair is right): another pair than
// the brute force's, and for n = 7 a wrong one.
#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  std::printf("%lld %lld\n", n == 7 ? 0LL : 1LL, n == 7 ? 7 : n - 1);
  return 0;
}
