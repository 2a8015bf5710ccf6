#include <cstdio>
int main() {
    char c;
    scanf("%c", c);
    printf("%d\n", c);
    return 0;
}
