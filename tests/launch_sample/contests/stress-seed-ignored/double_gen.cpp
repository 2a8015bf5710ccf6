// Forgets to seed: rand() writes the same input in every round.
#include <cstdio>
#include <cstdlib>

int main() {
  std::printf("%d\n", std::rand() % 1000);
  return 0;
}
