#include <cstdio>
void main() {
    printf("hello\n");
}
