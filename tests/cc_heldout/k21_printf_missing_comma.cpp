#include <cstdio>
int main() {
    int n = 5;
    printf("%d\n" n);
    return 0;
}
