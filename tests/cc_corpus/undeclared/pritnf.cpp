#include <cstdio>
int main() {
    int a, b;
    scanf("%d %d", &a, &b);
    pritnf("%d\n", a + b);
    return 0;
}
