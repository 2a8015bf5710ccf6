// The largest test a coach writes by hand: as many numbers as the size hint
// allows, all of them 50000 but the last two, which the seed moves apart
// without changing their sum.
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  std::srand(std::atoi(argv[1]));
  int n = std::atoi(argv[2]), apart = std::rand() % 1000;
  std::printf("%d\n", n);
  for (int i = 0; i < n; i++)
    std::printf("%d ", n < 2 || i < n - 2 ? 50000 : i == n - 2 ? 50000 - apart : 50000 + apart);
  std::printf("\n");
  return 0;
}
