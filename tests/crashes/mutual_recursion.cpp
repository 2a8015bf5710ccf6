// 期望：递归太深：函数 {even|odd} 递归了 {N} 层，用完了栈空间。请检查递归的终止条件；确实需要这么深时，可以改用循环。
#include <cstdio>

int odd(int n);

int even(int n) {
  if (n == -1) return 1;
  return odd(n + 1);
}

int odd(int n) {
  return even(n + 1);
}

int main() {
  std::printf("%d\n", even(0));
}
