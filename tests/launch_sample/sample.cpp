// A beginner's program for the launcher to run: each first argument picks one
// way of ending. Built without sanitizers, so that the crashes are the
// system's own and not caught first.
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#endif

int Deeper(int n) {
  volatile char pad[64];
  pad[0] = static_cast<char>(n);
  return Deeper(n + 1) + pad[0];
}

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "";
  if (std::strcmp(mode, "hello") == 0) {
    std::puts("你好，世界");
    return 0;
  }
  if (std::strcmp(mode, "return3") == 0) return 3;
  if (std::strcmp(mode, "divide") == 0) {
    // Both operands unknown until run time: a constant 1 / x compiles to a
    // comparison that never divides.
    volatile int zero = 0;
    return argc / zero;
  }
  if (std::strcmp(mode, "min") == 0) {  // INT_MIN / -1
    volatile int least = INT_MIN, minus = -1;
    return least / minus;
  }
  if (std::strcmp(mode, "deep") == 0) return Deeper(0);  // a recursion without end
  if (std::strcmp(mode, "at") == 0) {                    // an exception nobody catches
    std::vector<int> three(3);
    return three.at(5);
  }
  if (std::strcmp(mode, "null") == 0) {
    int* volatile pointer = nullptr;
    *pointer = 1;
    return 0;
  }
  if (std::strcmp(mode, "sleep") == 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return 0;
  }
  if (std::strcmp(mode, "loop") == 0) {  // a program that never ends, until Ctrl+C
    std::puts("循环中……");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(20));
    return 0;
  }
#ifdef _WIN32
  if (std::strcmp(mode, "codepages") == 0) {
    std::printf("code pages %u %u\n", GetConsoleCP(), GetConsoleOutputCP());
    return 0;
  }
  if (std::strcmp(mode, "utf8") == 0) {  // UTF-8 bytes as they are, read in the console's code page
    const char text[] = "你好，世界\r\n";
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, sizeof text - 1, &written, nullptr);
    return 0;
  }
#endif
  if (std::strcmp(mode, "echo") == 0) {
    for (int i = 2; i < argc; ++i) std::printf("[%s]\n", argv[i]);
    return 0;
  }
  return 99;
}
