// 编译：-O0 -g0
// 期望：无法确定出错位置：程序里没有行号信息：编译时要加上 -g 选项（并且不加 -s）。
int main() {
  int* volatile p = nullptr;
  *p = 1;
}
