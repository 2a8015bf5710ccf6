#include <bits/stdc++.h>
using namespace std;
int main() {
    int inf = 10000000000;
    int n, x, best = inf;
    cin >> n;
    while (n--) {
        cin >> x;
        best = min(best, x);
    }
    cout << best << endl;
    return 0;
}
