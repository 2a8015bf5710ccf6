// 编译：-O2
// 期望：出错位置：null_o2.cpp 第 14 行，函数 main
#include <cstdio>

struct Node {
  int value;
  Node* next;
};

int main() {
  Node* head = nullptr;
  int n = 0;
  if (std::scanf("%d", &n) != 1) n = 3;
  head->value = n;
  std::printf("%d\n", head->value);
}
