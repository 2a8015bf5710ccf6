// Sleeps two and a half seconds on a one-second limit: a judge's clock ends it.
#include <unistd.h>

#include <cstdio>

int main() {
  usleep(2500000);
  std::puts("1");
  return 0;
}
