// 对拍轮数：20
// Two positive numbers that sum to n (any pair is right): another pair than
// the brute force's.
#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  std::printf("%lld %lld\n", 1LL, n - 1);
  return 0;
}
