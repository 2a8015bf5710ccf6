// 编译：-O2
// 期望：出错位置：trap_div_o2.cpp 第 10 行，函数 main
// 期望：编译器在这里发现了一定会出错的代码（例如除以 0 或空指针），优化时放了一条陷阱指令，程序运行到这里就停下了。
// 不应：处理器不支持
#include <cstdio>

int main() {
  int n = 0, zero = 0;
  if (std::scanf("%d", &n) != 1) n = 5;
  std::printf("%d\n", n / zero);
}
