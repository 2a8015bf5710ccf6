// A third of the input, to more decimals than the answer file has.
#include <cstdio>

int main() {
  double x;
  if (std::scanf("%lf", &x) != 1) return 2;
  std::printf("%.9f %.0f\n", x / 3, x);
  return 0;
}
