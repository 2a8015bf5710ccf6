// 输入：100000000
// 期望：出错位置：vla_huge.cpp 第 10 行，函数 main
// 期望：栈空间用完了：这一行声明的局部数组 a（长度在运行时才确定）太大，可以把它改成全局数组。
// 不应：递归太深：
#include <iostream>

int main() {
  int n;
  std::cin >> n;
  int a[n];
  for (int i = 0; i < n; i++) a[i] = i;
  std::cout << a[n - 1] << "\n";
}
