#include <cstdio>
int main() {
    int n;
    scanf("%lld", &n);
    printf("%d\n", n);
    return 0;
}
