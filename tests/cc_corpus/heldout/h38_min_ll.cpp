#include <bits/stdc++.h>
using namespace std;
int main() {
    long long best = 1e18;
    int n;
    cin >> n;
    for (int i = 0; i < n; i++) {
        int x;
        cin >> x;
        best = min(best, x);
    }
    cout << best << endl;
    return 0;
}
