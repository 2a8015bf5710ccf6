// Takes as many megabytes as its input says, and touches every one.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
  long long megabytes;
  if (std::scanf("%lld", &megabytes) != 1) return 2;
  size_t size = static_cast<size_t>(megabytes) << 20;
  char* memory = static_cast<char*>(std::malloc(size));
  if (memory == nullptr) return 3;
  std::memset(memory, 1, size);
  std::printf("%d\n", memory[size / 2]);
  return 0;
}
