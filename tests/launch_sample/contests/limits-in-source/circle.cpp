/*
 * 圆的面积
 * 时间限制：2 秒
 * 空间限制：128 MB
 * 答案与标准答案的绝对误差或相对误差不超过 10^{-4} 即可。
 */
#include <cstdio>

int main() {
  double r;
  if (std::scanf("%lf", &r) != 1) return 2;
  std::printf("%.6f\n", 3.14159 * r * r);
  return 0;
}
