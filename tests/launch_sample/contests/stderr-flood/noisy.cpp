// Debugging output left in: 100 MB on standard error, which judges discard.
#include <cstdio>
#include <cstring>

int main() {
  static char line[1 << 16];
  std::memset(line, 'x', sizeof line);
  for (int i = 0; i < 1600; ++i) std::fwrite(line, 1, sizeof line, stderr);
  std::fputs("\ndebug: done\n", stderr);
  int n = 0;
  if (std::scanf("%d", &n) != 1) return 2;
  std::printf("%d\n", n + 1);
  return 0;
}
