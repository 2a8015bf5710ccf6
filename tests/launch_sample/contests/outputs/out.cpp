// Its answer on standard output beside a log file, in out.out, or nowhere.
#include <cstdio>
#include <cstring>
#include <fstream>

int main() {
  char word[16] = "";
  if (std::scanf("%15s", word) != 1) return 2;
  if (std::strcmp(word, "log") == 0) {
    std::ofstream log("log.txt");
    log << "junk\n";
    std::puts("7");
  } else if (std::strcmp(word, "file") == 0) {
    std::ofstream out("out.out");
    out << "7\n";
    std::puts("junk");
  }
  return 0;
}
