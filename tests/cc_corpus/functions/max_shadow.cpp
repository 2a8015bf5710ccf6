#include <bits/stdc++.h>
using namespace std;
int main() {
    int n, max = 0;
    cin >> n;
    for (int i = 0; i < n; i++) {
        int x;
        cin >> x;
        max = max(max, x);
    }
    cout << max << endl;
    return 0;
}
