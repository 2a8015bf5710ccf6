// Right for every n: only the brute force is wrong.
#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  std::printf("%lld\n", 2 * n);
  return 0;
}
