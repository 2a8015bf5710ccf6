#include <cstdio>
char a[105], b[105];
int main() {
    scanf("%s%s", a, b);
    if (strcmp(a, b) == 0) printf("same\n");
    else printf("diff\n");
    return 0;
}
