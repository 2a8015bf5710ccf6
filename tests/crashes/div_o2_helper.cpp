// 编译：-O2
// 输入：100 0
// 期望：出错位置：div_o2_helper.cpp 第 7 行，函数 per_person（由 main 第 14 行调用）
#include <cstdio>

int per_person(int total, int people) {
  int share = total / people;
  return share;
}

int main() {
  int total, people;
  if (std::scanf("%d %d", &total, &people) != 2) return 1;
  std::printf("%d\n", per_person(total, people));
}
