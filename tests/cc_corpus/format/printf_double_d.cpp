#include <bits/stdc++.h>
using namespace std;
int main() {
    int a, b;
    scanf("%d%d", &a, &b);
    double avg = (a + b) / 2.0;
    printf("%d\n", avg);
    return 0;
}
