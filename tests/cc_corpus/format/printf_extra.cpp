#include <cstdio>
int main() {
    int a = 1, b = 2;
    printf("%d\n", a, b);
    return 0;
}
