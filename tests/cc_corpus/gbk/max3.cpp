#include <cstdio>
// 输入三个数，输出最大的
int main() {
    int a, b, c;
    scanf("%d%d%d", &a, &b, &c);
    int m = a;
    if (b > m) m = b;
    if (c > m) m = c;
    printf("最大值：%d\n", m)
    return 0;
}
