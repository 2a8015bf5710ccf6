#include <bits/stdc++.h>
using namespace std;
int a[105];
int main() {
    int n;
    cin >> n;
    for (int i = 0; i < n; i++) cin >> a[i];
    int mx = a[0]
    for (int i = 1; i < n; i++)
        if (a[i] > mx) mx = a[i];
    cout << mx << endl;
    int mn = a[0];
    for (int i = 1; i < n; i++) mn = min(mn, a[i]);
    cout << mn << edl;
    retrun 0;
}
