// 对拍时间：600 秒
// Adds n numbers in an int: right on every input below n = 42950 equal
// numbers of 50000, wrong above. Only a size hint that reaches the
// problem's scale finds it, within the default 1000 rounds (the time is
// raised only so that a loaded machine cannot end it first).
#include <cstdio>

int main() {
  int n;
  std::scanf("%d", &n);
  int sum = 0;
  for (int i = 0; i < n; i++) {
    int a;
    std::scanf("%d", &a);
    sum += a;
  }
  std::printf("%d\n", sum);
  return 0;
}
