// 期望：出错位置：null_function.cpp 第 10 行，函数 main
// 期望：这一行调用的函数地址无效（例如空的函数指针），程序跳到了没有代码的地方。
// 不应：库函数
#include <cstdio>

void (*handler)(int) = nullptr;

int main() {
  std::puts("开始");
  handler(3);
}
