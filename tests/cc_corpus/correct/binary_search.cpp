#include <cstdio>
int a[1000005];
int main() {
    int n, q;
    scanf("%d%d", &n, &q);
    for (int i = 0; i < n; i++) scanf("%d", &a[i]);
    while (q--) {
        int x, l = 0, r = n - 1, ans = -1;
        scanf("%d", &x);
        while (l <= r) {
            int mid = (l + r) / 2;
            if (a[mid] >= x) ans = mid, r = mid - 1;
            else l = mid + 1;
        }
        printf("%d\n", ans == -1 ? -1 : ans + 1);
    }
    return 0;
}
