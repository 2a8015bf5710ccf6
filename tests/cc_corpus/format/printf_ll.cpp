#include <cstdio>
int main() {
    long long n;
    scanf("%lld", &n);
    long long ans = n * (n + 1) / 2;
    printf("%d\n", ans);
    return 0;
}
