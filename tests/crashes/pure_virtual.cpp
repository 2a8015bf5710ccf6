// 期望：出错位置：pure_virtual.cpp 第 19 行，函数 show（由 Shape::Shape 第 10 行调用；Shape::Shape 由 Square::Square 第 15 行调用；Square::Square 由 main 第 22 行调用）
// 期望：这一行调用了一个纯虚函数（常见于在构造函数或析构函数里调用虚函数），程序因此中止。
// 不应：抛出
#include <cstdio>

struct Shape;
void show(Shape* s);

struct Shape {
  Shape() { show(this); }
  virtual ~Shape() {}
  virtual int area() = 0;
};

struct Square : Shape {
  int area() override { return 4; }
};

void show(Shape* s) { std::printf("%d\n", s->area()); }

int main() {
  Square q;
  return q.area() - 4;
}
