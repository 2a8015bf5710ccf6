#include <bits/stdc++.h>
using namespace std;
int a[1000];
int main() {
    int n;
    scanf("%d", &n);
    for (int i = 0; i < n; i++); scanf("%d", &a[i]);
    int mx = a[0];
    for (int i = 1; i < n; i++) mx = max(mx, a[i]);
    printf("%d\n", mx);
    return 0;
}
