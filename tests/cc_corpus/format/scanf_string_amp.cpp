#include <cstdio>
#include <cstring>
char s[1005];
int main() {
    scanf("%s", &s);
    printf("%d\n", (int)strlen(s));
    return 0;
}
