#include <cstdio>
#define LIMIT = 100
int main() {
    int total = 0;
    for (int i = 1; i <= LIMIT; i++) total += i;
    printf("%d\n", total);
    return 0;
}
