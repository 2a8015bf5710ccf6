#include <bits/stdc++.h>
using namespace std;
int main() {
    int n;
    cin >> n;
    long long s​um = 0;
    for (int i = 1; i <= n; i++) sum += i;
    cout << sum << endl;
    return 0;
}
