#include <cstdio>
int main() {
    int total = 0, n;
    scanf("%d", &n);
    for (int i = 0; i < n; i++) {
        int x;
        scanf("%d", &x);
        total += x;
    }
    printf("%.2f\n", total / n);
    return 0;
}
