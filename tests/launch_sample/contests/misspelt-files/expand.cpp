// Opens its files under a misspelt name: the judge gives expand.in only.
#include <cstdio>

int main() {
  std::freopen("expend.in", "r", stdin);
  std::freopen("expend.out", "w", stdout);
  int n = 0;
  std::scanf("%d", &n);
  std::printf("%d\n", n * 2);
  return 0;
}
