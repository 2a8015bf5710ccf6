#include <cstdio>
int m = 50;
int grid[m];
int main() {
    grid[0] = 1;
    printf("%d\n", grid[0]);
    return 0;
}
