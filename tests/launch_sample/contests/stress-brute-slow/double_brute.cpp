// Sure but wasteful: 4600 bytes of memory for each number, so that sizes up
// to 56072 fit in 256 MB and 59411 does not.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
  int n;
  std::scanf("%d", &n);
  char* room = static_cast<char*>(std::malloc(static_cast<size_t>(n) * 4600));
  if (room == nullptr) return 1;
  std::memset(room, 1, static_cast<size_t>(n) * 4600);
  long long sum = 0;
  for (int i = 0; i < n; i++) {
    long long a;
    std::scanf("%lld", &a);
    sum += a + a + room[i] - 1;
  }
  std::printf("%lld\n", sum);
  return 0;
}
