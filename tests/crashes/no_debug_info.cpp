// 编译：-O0 -g0
// 期望：无法确定出错位置：程序里没有行号信息：编译时没有加 -g 选项。
int main() {
  int* volatile p = nullptr;
  *p = 1;
}
