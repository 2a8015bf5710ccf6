#include <cstdio>
int main() {
    int n = 3;
    for (int mask = 0; mask < (1 << n); mask++) {
        for (int i = 0; i < n; i++)
            if ((mask >> i) & 1) printf("%d ", i);
        printf("\n");
    }
    return 0;
}
