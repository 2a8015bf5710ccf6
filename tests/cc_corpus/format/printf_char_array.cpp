#include <cstdio>
// 读入名字，输出问候
int main() {
    char name[20];
    scanf("%s", name);
    printf("Hello, %c\n", name);
    return 0;
}
