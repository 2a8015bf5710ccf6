#include <cstdio>
int main() {
    float x;
    scanf("%lf", &x);
    printf("%.3f\n", x * 2);
    return 0;
}
