#include <cstdio>
int main() {
    int a = 1;
    printf("%y\n", a);
    return 0;
}
