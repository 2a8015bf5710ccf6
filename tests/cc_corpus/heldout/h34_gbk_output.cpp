#include <cstdio>
int main() {
    int n;
    scanf("%d", &n);
    printf("ÄãÊäÈëµÄÊÇ£º%d\n", n);
    return 0;
}
