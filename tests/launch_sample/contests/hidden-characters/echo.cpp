// Writes its input back byte for byte.
#include <cstdio>

int main() {
  int c;
  while ((c = std::getchar()) != EOF) std::putchar(c);
  return 0;
}
