#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  for (volatile long long i = 0; i < 4000000000LL; i = i + 1) {
  }
  std::printf("%lld\n", n + n);
  return 0;
}
