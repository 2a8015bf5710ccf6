// 输入：100000000
// 期望：栈空间用完了：常见原因是函数里的局部数组太大，可以把它改成全局数组。
// 不应：递归太深：
#include <iostream>

int main() {
  int n;
  std::cin >> n;
  int a[n];
  for (int i = 0; i < n; i++) a[i] = i;
  std::cout << a[n - 1] << "\n";
}
