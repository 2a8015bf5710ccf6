#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char* argv[]) {
  std::mt19937 rng(std::atoi(argv[1]));
  int size = std::atoi(argv[2]);
  std::printf("%d\n", static_cast<int>(rng() % (size < 9 ? size : 9)) + 1);
  return 0;
}
