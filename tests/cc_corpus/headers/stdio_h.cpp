#include <stdio.h>
#include <algorthm>
int a[10];
int main() {
    for (int i = 0; i < 10; i++) scanf("%d", &a[i]);
    std::sort(a, a + 10);
    printf("%d\n", a[9]);
    return 0;
}
