#include <cstdio>
int main() {
    int n, i, j, tmp;
    scanf("%d", &n);
    for (i = 1; i <= n; i++) {
        for (j = 1; j <= i; j++) printf("%d*%d=%d ", j, i, i * j);
        printf("\n");
    }
    return 0;
}
