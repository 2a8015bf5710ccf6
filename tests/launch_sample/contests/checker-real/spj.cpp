// A special judge as problem packs ship it: a real number right within a
// relative error of 1e-4.
#include <cmath>
#include <cstdio>

int main(int argc, char* argv[]) {
  std::FILE* out = std::fopen(argv[2], "r");
  std::FILE* ans = std::fopen(argv[3], "r");
  double x, y;
  if (argc != 4 || !ans || std::fscanf(ans, "%lf", &y) != 1) return 3;
  if (!out || std::fscanf(out, "%lf", &x) != 1) {
    std::fprintf(stderr, "wrong answer no number\n");
    return 1;
  }
  if (std::fabs(x - y) > 1e-4 * std::fmax(1.0, std::fabs(y))) {
    std::fprintf(stderr, "wrong answer expected %.9f, found %.9f\n", y, x);
    return 1;
  }
  return 0;
}
