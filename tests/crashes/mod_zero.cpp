// 输入：7 0
// 期望：出错位置：mod_zero.cpp 第 8 行，函数 main
#include <iostream>

int main() {
  long long a, b;
  std::cin >> a >> b;
  long long r = a % b;
  std::cout << r << "\n";
}
