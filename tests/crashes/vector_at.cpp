// 期望：出错位置：vector_at.cpp 第 8 行，函数 main
// 期望：这一行调用的 std::vector::at 抛出了异常，程序没有捕获它。
#include <cstdio>
#include <vector>

int main() {
  std::vector<int> v(3);
  v.at(5) = 1;
  std::printf("%d\n", v[0]);
}
