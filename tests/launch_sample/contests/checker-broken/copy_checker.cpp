// A checker that fails itself: testlib's 3 on "fail", a crash on "abort".
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
  std::FILE* out = std::fopen(argv[2], "r");
  char word[16] = "";
  if (argc != 4 || !out) return 3;
  std::fscanf(out, "%15s", word);
  if (std::strcmp(word, "fail") == 0) {
    std::fprintf(stderr, "FAIL the answer file is not a number\n");
    return 3;
  }
  if (std::strcmp(word, "abort") == 0) std::abort();
  return 0;
}
