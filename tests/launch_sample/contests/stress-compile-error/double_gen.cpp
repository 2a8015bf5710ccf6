#include <cstdio>

int main() {
  std::printf("%d\n", undeclared);
  return 0;
}
