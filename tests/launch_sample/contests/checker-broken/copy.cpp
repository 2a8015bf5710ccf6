// Copies its input; crashes on "crash", which no checker is asked about.
#include <cstdio>
#include <cstring>

int main() {
  char word[16];
  std::scanf("%15s", word);
  if (std::strcmp(word, "crash") == 0) {
    int* nothing = nullptr;
    return *(volatile int*)nothing;
  }
  std::printf("%s\n", word);
  return 0;
}
