// Writes where a judge lets no program write: beside its folder, at an
// absolute path, and its answer to an absolute path as well.
#include <cstdio>

int main() {
  int n;
  if (std::scanf("%d", &n) != 1) return 2;
  std::FILE* beside = std::fopen("../beside.txt", "w");
  std::FILE* far = std::fopen("/tmp/tws-writes-outside.txt", "w");
  std::printf("%s %s\n", beside ? "wrote" : "denied", far ? "wrote" : "denied");
  if (n == 2) std::freopen("/tmp/tws-writes-outside.out", "w", stdout);
  std::printf("%d\n", n);
  return 0;
}
