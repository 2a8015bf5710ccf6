#include <cstdio>

int main() {
  int n;
  std::scanf("%d", &n);
  long long sum = 0;
  for (int i = 0; i < n; i++) {
    long long a;
    std::scanf("%lld", &a);
    sum += a;
  }
  std::printf("%lld\n", sum);
  return 0;
}
