// Right; its generator does not compile.
#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  std::printf("%lld\n", 2 * n);
  return 0;
}
