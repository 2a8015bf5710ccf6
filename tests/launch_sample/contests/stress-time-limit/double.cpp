// 对拍时间：1 秒
// The brute force needs seconds for one round: the time limit of 对拍 ends
// it rather than waiting for it.
#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  std::printf("%lld\n", 2 * n);
  return 0;
}
