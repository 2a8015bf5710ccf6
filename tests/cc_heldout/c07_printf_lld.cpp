#include <cstdio>
int main() {
    long long a, b;
    scanf("%lld %lld", &a, &b);
    printf("%lld\n", a * b);
    double x = 2.5;
    printf("%.2f\n", x);
    return 0;
}
