// Burns as much CPU time as its input says, whatever else the machine runs.
#include <cstdio>
#include <ctime>

int main() {
  double seconds;
  if (std::scanf("%lf", &seconds) != 1) return 2;
  volatile unsigned long long sum = 0;
  while (static_cast<double>(std::clock()) / CLOCKS_PER_SEC < seconds)
    for (int i = 0; i < 100000; ++i) sum = sum + i;
  std::puts("done");
  return 0;
}
