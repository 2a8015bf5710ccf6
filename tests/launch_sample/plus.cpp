// A contest program for the launcher's samples: reads a and b, prints a + b.
// A word in place of a picks a fault: "loop" never ends, "fork" never ends
// either and leaves a child that never ends, "div" divides by zero, "flood"
// prints without end, "hog N" takes N megabytes and prints N, "at" reads a
// vector past its end with at(), "deep" recurses until the stack runs out,
// "min" divides INT_MIN by -1.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#ifndef _WIN32
#include <unistd.h>
#endif

int deep(int n) {
  volatile char pad[64];
  pad[0] = static_cast<char>(n);
  return deep(n + 1) + pad[0];
}

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
  volatile int least = INT_MIN, minus = -1;
  if (std::strcmp(word, "min") == 0) return least / minus;
  if (std::strcmp(word, "deep") == 0) return deep(0);
  std::vector<int> three(3);
  if (std::strcmp(word, "at") == 0) return three.at(5);
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
