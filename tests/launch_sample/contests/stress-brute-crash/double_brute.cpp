// Writes through a null pointer for n = 3.
#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  volatile int* nowhere = nullptr;
  if (n == 3) *nowhere = 1;
  std::printf("%lld\n", n + n);
  return 0;
}
