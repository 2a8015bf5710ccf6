// 期望：出错位置：global_ctor.cpp 第 8 行，函数 Table::Table
// 不应：_GLOBAL_
// 不应：__static
#include <cstdio>

struct Table {
  int* cells;
  Table() : cells(nullptr) { cells[0] = 1; }
};

Table table;

int main() {
  std::printf("%d\n", table.cells[0]);
}
