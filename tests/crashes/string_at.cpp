// 期望：出错位置：string_at.cpp 第 8 行，函数 main
// 期望：这一行调用的 std::string::at 抛出了异常，程序没有捕获它。
#include <iostream>
#include <string>

int main() {
  std::string word = "hello";
  char c = word.at(10);
  std::cout << c << "\n";
}
