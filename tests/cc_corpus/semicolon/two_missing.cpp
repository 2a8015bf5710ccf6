#include <bits/stdc++.h>
using namespace std;
int main() {
    // freopen("in.txt", "r", stdin);
    int n, k;
    cin >> n >> k;
    int ans = n / k
    int rest = n % k;
    cout << ans << " " << rest << endl
    return 0;
}
