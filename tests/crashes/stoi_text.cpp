// 期望：出错位置：stoi_text.cpp 第 8 行，函数 main
// 期望：这一行调用的 std::stoi 抛出了异常，程序没有捕获它。
#include <cstdio>
#include <string>

int main() {
  std::string text = "abc";
  int n = std::stoi(text);
  std::printf("%d\n", n);
}
