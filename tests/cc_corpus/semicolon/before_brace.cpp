#include <cstdio>

int main() {
    int n, x, mx = -1;
    scanf("%d", &n);
    for (int i = 0; i < n; i++) {
        scanf("%d", &x);
        if (x > mx) mx = x
    }
    printf("%d\n", mx);
    return 0;
}
