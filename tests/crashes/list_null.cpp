// 期望：出错位置：list_null.cpp 第 11 行，函数 sum（由 main 第 17 行调用）
#include <cstdio>

struct Node {
  int value;
  Node* next;
};

int sum(Node* head) {
  int total = 0;
  for (Node* p = head; ; p = p->next) total += p->value;
  return total;
}

int main() {
  Node c{3, nullptr}, b{2, &c}, a{1, &b};
  std::printf("%d\n", sum(&a));
}
