// n from 2 to 21, seeded from argv[1].
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char* argv[]) {
  std::mt19937 rng(std::atoi(argv[1]));
  std::printf("%d\n", static_cast<int>(rng() % 20) + 2);
  return 0;
}
