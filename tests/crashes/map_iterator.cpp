// 期望：出错位置：map_iterator.cpp 第 11 行，函数 main
// 期望：出错时正在执行这一行调用的 map 的迭代器的 operator++：原因通常是传给它的参数不对（例如空指针、越界的下标或范围）。
// 不应：调用的 >
#include <cstdio>
#include <map>

int main() {
  std::map<int, int> count;
  count[1] = 2;
  std::map<int, int>::iterator it;
  ++it;
  std::printf("%d\n", it->second);
}
