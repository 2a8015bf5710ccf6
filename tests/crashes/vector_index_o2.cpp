// 编译：-O2
// 输入：300000000
// 期望：出错位置：vector_index_o2.cpp 第 11 行，函数 main
#include <cstdio>
#include <vector>

int main() {
  int n;
  if (std::scanf("%d", &n) != 1) return 1;
  std::vector<int> v(10);
  v[n] = 1;
  std::printf("%d\n", v[0]);
}
