#include <cstdio>
int main() {
    int n;
    scanf("%d", &n);
    int half = n / 0;
    printf("%d\n", half);
    return 0;
}
