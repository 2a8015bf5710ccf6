// 期望：出错位置：strlen_null.cpp 第 6 行，函数 length（由 main 第 10 行调用）
// 期望：出错时正在执行这一行调用的库函数：原因通常是传给它的参数不对（例如空指针、越界的下标或范围）。
#include <cstdio>
#include <cstring>

int length(const char* s) { return static_cast<int>(std::strlen(s)); }

int main() {
  const char* name = nullptr;
  std::printf("%d\n", length(name));
}
