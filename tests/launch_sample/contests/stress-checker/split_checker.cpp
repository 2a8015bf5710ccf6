// Any two positive numbers that sum to n; the answer file is not read.
#include <cstdio>

int main(int argc, char* argv[]) {
  std::FILE* in = std::fopen(argv[1], "r");
  std::FILE* out = std::fopen(argv[2], "r");
  long long n, a, b;
  if (argc != 4 || !in || !out || std::fscanf(in, "%lld", &n) != 1) return 3;
  if (std::fscanf(out, "%lld %lld", &a, &b) != 2) {
    std::fprintf(stderr, "wrong output format two numbers expected\n");
    return 2;
  }
  if (a < 1 || b < 1 || a + b != n) {
    std::fprintf(stderr, "wrong answer %lld + %lld is not %lld or not positive\n", a, b, n);
    return 1;
  }
  return 0;
}
