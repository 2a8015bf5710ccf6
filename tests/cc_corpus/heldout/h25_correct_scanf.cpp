#include <cstdio>
#include <algorithm>
using namespace std;
int a[200005];
int main() {
    // freopen("a.in", "r", stdin);
    int n;
    scanf("%d", &n);
    for (int i = 0; i < n; i++) scanf("%d", &a[i]);
    sort(a, a + n);
    long long sum = 0;
    for (int i = 0; i < n; i++) sum += (long long)a[i] * (i + 1);
    printf("%lld\n", sum);
    return 0;
}
