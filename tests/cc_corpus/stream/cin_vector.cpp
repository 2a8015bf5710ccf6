#include <bits/stdc++.h>
using namespace std;
int main() {
    int n;
    cin >> n;
    vector<int> v(n);
    cin >> v;
    sort(v.begin(), v.end());
    cout << v[0] << endl;
    return 0;
}
