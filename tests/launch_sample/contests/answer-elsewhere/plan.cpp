// Reads standard input but leaves its answer in a file no judge reads.
#include <cstdio>

int main() {
  int n = 0;
  if (std::scanf("%d", &n) != 1) return 2;
  std::FILE* answer = std::fopen("plan.ans", "w");
  if (answer == nullptr) return 3;
  std::fprintf(answer, "%d\n", n + 1);
  std::fclose(answer);
  return 0;
}
