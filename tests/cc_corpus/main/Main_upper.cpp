#include <cstdio>
int Main() {
    int n;
    scanf("%d", &n);
    printf("%d\n", n % 7);
    return 0;
}
