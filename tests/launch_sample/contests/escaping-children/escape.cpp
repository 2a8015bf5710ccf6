// Leaves a grandchild behind in a session of its own, as a daemon does, and
// then ends or, with "stay", goes on for ever itself.
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main() {
  char word[16] = "";
  if (std::scanf("%15s", word) != 1) return 2;
  if (fork() == 0) {
    setsid();
    if (fork() == 0)
      for (;;) pause();
    _exit(0);
  }
  while (std::strcmp(word, "stay") == 0) {
  }
  std::puts("1");
  return 0;
}
