// 输入：abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz0123456789
// 期望：出错位置：char_overrun.cpp 第 12 行，函数 main
// 期望：函数 main 返回时发现它在栈上的数据被改坏了：常见原因是这个函数里的局部数组越界写入（例如读入的字符串比字符数组长）。
// 不应：调用的
#include <cstdio>

int main() {
  char name[8];
  std::scanf("%s", name);
  std::printf("你好，%s\n", name);
  return 0;
}
