// Sleeps far longer than any time limit, using no CPU time meanwhile.
#include <unistd.h>

#include <cstdio>

int main() {
  sleep(60);
  std::puts("1");
  return 0;
}
