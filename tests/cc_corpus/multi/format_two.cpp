#include <cstdio>
int main() {
    long long a;
    double b;
    scanf("%d", &a);
    scanf("%lf", b);
    printf("%lld %lf\n", a, b);
    return 0;
}
