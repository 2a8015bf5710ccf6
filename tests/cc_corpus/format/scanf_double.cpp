#include <cstdio>
int main() {
    double r;
    scanf("%d", &r);
    printf("%.2f\n", 3.14159 * r * r);
    return 0;
}
