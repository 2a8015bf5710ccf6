#include <cstdio>
int main() {
    int a = 0;
    scanf("%d", a);
}
