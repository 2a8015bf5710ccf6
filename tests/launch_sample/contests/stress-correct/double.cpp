// 对拍轮数：200
// Right for every n: 200 rounds find nothing, and nothing is saved.
#include <cstdio>

int main() {
  long long n;
  std::scanf("%lld", &n);
  std::printf("%lld\n", 2 * n);
  return 0;
}
