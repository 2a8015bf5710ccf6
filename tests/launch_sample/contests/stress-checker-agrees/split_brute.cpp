#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  std::printf("%lld 1\n", n - 1);
  return 0;
}
