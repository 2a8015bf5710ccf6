#include <cstdio>
int main() {
    int x;
    scanf("%d", &x);
    if (x = 0) printf("zero\n");
    else printf("nonzero\n");
    return 0;
}
