#include <cstdio>
int main() {
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) {
        ans += i * i;
    }
    printf("%d\n", ans);
    return 0;
}
