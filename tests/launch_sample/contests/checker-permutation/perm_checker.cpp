// A checker called as testlib's are (input output answer; 0 ok, 1 wrong
// answer, 2 wrong format, 3 its own failure; its words on standard error),
// without testlib itself.
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char* argv[]) {
  std::FILE* in = std::fopen(argv[1], "r");
  std::FILE* out = std::fopen(argv[2], "r");
  int n;
  if (argc != 4 || !in || !out || std::fscanf(in, "%d", &n) != 1) {
    std::fprintf(stderr, "FAIL cannot read the input\n");
    return 3;
  }
  std::vector<int> seen(n + 1);
  int last = -5;
  for (int i = 0; i < n; ++i) {
    int x;
    if (std::fscanf(out, "%d", &x) != 1) {
      std::fprintf(stderr, "wrong output format expected %d numbers, found %d\n", n, i);
      return 2;
    }
    if (x < 1 || x > n || seen[x]++) {
      std::fprintf(stderr, "wrong answer %d is not new in 1..%d\n", x, n);
      return 1;
    }
    if (std::abs(x - last) == 1) {
      std::fprintf(stderr, "wrong answer %d and %d are neighbours\n", last, x);
      return 1;
    }
    last = x;
  }
  std::fprintf(stderr, "ok %d numbers\n", n);
  return 0;
}
