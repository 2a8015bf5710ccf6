// Digs a tree of folders thousands deep in its own folder. Under Landlock each
// step checks every folder above it: the whole took 0.6 to 1.3 s of CPU time on
// a busy machine, over the judge's default second, hence the case's own limit.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

int main() {
  int depth;
  if (std::scanf("%d", &depth) != 1) return 2;
  for (int i = 0; i < depth; ++i)
    if (mkdir("d", 0700) != 0 || chdir("d") != 0) return 3;
  std::FILE* leaf = std::fopen("leaf.txt", "w");
  if (leaf) std::fclose(leaf);
  std::puts("dug");
  return 0;
}
