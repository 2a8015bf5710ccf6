// Reads a table of its own beside the input: the judge gives the input file only.
#include <cstdio>
#include <fstream>

int main() {
  std::ifstream table("primes.txt");
  long long first = 0, n = 0;
  table >> first;
  if (std::scanf("%lld", &n) != 1) return 2;
  std::printf("%lld\n", n + first);
  return 0;
}
