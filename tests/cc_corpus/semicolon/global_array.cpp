#include <bits/stdc++.h>
using namespace std;
const int N = 100010
int a[N];
int main() {
    int n;
    scanf("%d", &n);
    for (int i = 1; i <= n; i++) scanf("%d", &a[i]);
    sort(a + 1, a + n + 1);
    for (int i = 1; i <= n; i++) printf("%d ", a[i]);
    return 0;
}
