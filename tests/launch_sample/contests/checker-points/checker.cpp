// testlib's other exit codes: 7 with the points first in its message, 2 for
// a wrong format; and a plain checker's no, said on standard output.
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
  std::FILE* out = std::fopen(argv[2], "r");
  char word[16] = "";
  if (argc != 4 || !out) return 3;
  std::fscanf(out, "%15s", word);
  if (std::strcmp(word, "half") == 0) {
    std::fprintf(stderr, "points 0.5 two of the four edges\n");
    return 7;
  }
  if (std::strcmp(word, "format") == 0) {
    std::fprintf(stderr, "wrong output format expected an integer\n");
    return 2;
  }
  if (std::strcmp(word, "plain") == 0) {
    std::printf("no\n");
    return 42;
  }
  return 0;
}
