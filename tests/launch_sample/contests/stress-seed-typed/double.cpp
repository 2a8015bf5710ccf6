// Right for every n: only the generator is wrong.
#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  std::printf("%lld\n", 2 * n);
  return 0;
}
