// 内存限制：256 MB
// 对拍轮数：210
// 对拍时间：600 秒
// Right for every input; the brute force needs more memory than the limit
// from the size hint 59411 on, which is no fault of the program's.
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
  std::printf("%lld\n", 2 * sum);
  return 0;
}
