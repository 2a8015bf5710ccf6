// 期望：出错位置：sort_range.cpp 第 8 行，函数 main
// 期望：出错时正在执行这一行调用的 std::sort：原因通常是传给它的参数不对（例如空指针、越界的下标或范围）。
#include <algorithm>
#include <vector>

int main() {
  std::vector<int> v(5);
  std::sort(v.begin(), v.end() + 100000000);
  return v[0];
}
