#include <bits/stdc++.h>
using namespace std;
int main() {
    int n, last = 0;
    cin >> n;
    vector<int> v(n);
    for (int i = 0; i < n; i++) {
        cin >> v[i];
        last = v[i];
    }
    sort(v.begin(), v.end());
    for (int x : v) cout << x << ' ';
    cout << '\n';
    return 0;
}
