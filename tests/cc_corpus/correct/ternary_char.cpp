#include <cstdio>
int main() {
    char c;
    scanf(" %c", &c);
    if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
    putchar(c);
    putchar('\n');
    return 0;
}
