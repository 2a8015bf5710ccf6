// Asks the keyboard, not its input, for the number.
#include <cstdio>

int main() {
  std::FILE* keyboard = std::fopen("/dev/tty", "r");
  int n = 0;
  if (keyboard == nullptr || std::fscanf(keyboard, "%d", &n) != 1) return 3;
  std::printf("%d\n", n);
  return 0;
}
