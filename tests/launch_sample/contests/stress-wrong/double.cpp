// Doubles n, but wrong for n = 7: 对拍 must find it on a small input.
#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  std::printf("%lld\n", n == 7 ? 15 : 2 * n);
  return 0;
}
