#include <cstdio>
int main() {
    double a, b;
    scanf("%d %d", &a, &b);
    printf("%.2lf\n", a / b);
    return 0;
}
