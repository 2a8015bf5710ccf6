#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  std::srand(std::atoi(argv[1]));
  int n = std::atoi(argv[2]);
  std::printf("%d\n", n);
  for (int i = 0; i < n; i++) std::printf("%d ", std::rand() % 1000);
  std::printf("\n");
  return 0;
}
