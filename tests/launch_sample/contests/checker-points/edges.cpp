// Echoes the word of the input: the checker below decides from it.
#include <cstdio>

int main() {
  char word[16];
  std::scanf("%15s", word);
  std::printf("%s\n", word);
  return 0;
}
