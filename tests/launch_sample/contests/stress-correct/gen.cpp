// The generic name, which serves the only program in the folder; the seed
// read from the environment as well.
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char* argv[]) {
  const char* seed = std::getenv("TARNWICKSTONE_SEED");
  if (argc < 3 || seed == nullptr || std::atoi(seed) != std::atoi(argv[1])) return 3;
  std::mt19937 rng(std::atoi(seed));
  std::printf("%d\n", static_cast<int>(rng() % 1000000));
  return 0;
}
