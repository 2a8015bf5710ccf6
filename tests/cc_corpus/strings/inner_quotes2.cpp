#include <cstdio>
int main() {
    int n;
    scanf("%d", &n);
    printf("The answer is "%d"\n", n * 2);
    return 0;
}
