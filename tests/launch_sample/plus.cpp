// A contest program for the launcher's samples: reads a and b, prints a + b.
// A word in place of a picks a fault: "loop" never ends, "fork" never ends
// either and leaves a child that never ends, "div" divides by zero, "flood"
// prints without end, "hog N" takes N megabytes and prints N.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifndef _WIN32
#include <unistd.h>
#endif

int main() {
  char word[512];
  if (std::scanf("%511s", word) != 1) return 2;
  volatile bool loop = std::strcmp(word, "loop") == 0;
#ifndef _WIN32
  if (std::strcmp(word, "fork") == 0) {
    while (fork() == 0) pause();
    loop = true;
  }
#endif
  while (loop) {
  }
  volatile int one = 1, zero = 0;  // a constant 1 / x compiles to a comparison
  if (std::strcmp(word, "div") == 0) return one / zero;
  while (std::strcmp(word, "flood") == 0) std::puts("flood");
  long long megabytes;
  if (std::strcmp(word, "hog") == 0 && std::scanf("%lld", &megabytes) == 1) {
    size_t size = static_cast<size_t>(megabytes) << 20;
    char* memory = static_cast<char*>(std::malloc(size));
    if (memory == nullptr) return 3;
    std::memset(memory, 1, size);
    std::printf("%lld\n", megabytes + memory[size / 2] - 1);
    return 0;
  }
  long long b;
  if (std::scanf("%lld", &b) != 1) return 2;
  std::printf("%lld\n", std::atoll(word) + b);
  return 0;
}
