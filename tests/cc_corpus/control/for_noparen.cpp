#include <cstdio>
int main() {
    int n;
    scanf("%d", &n);
    for i = 1; i <= n; i++) printf("%d ", i);
    return 0;
}
