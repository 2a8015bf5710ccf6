// A generator as the guide teaches it: seeded from argv[1], n at most the
// size hint argv[2] (and at most 20).
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char* argv[]) {
  std::mt19937 rng(std::atoi(argv[1]));
  int size = std::atoi(argv[2]);
  int most = size < 20 ? size : 20;
  std::printf("%d\n", static_cast<int>(rng() % most) + 1);
  return 0;
}
