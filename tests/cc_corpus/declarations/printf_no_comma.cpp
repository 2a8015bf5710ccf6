#include <cstdio>
int main() {
    int total = 42;
    printf("total = %d\n" total);
    return 0;
}
