#include <bits/stdc++.h>
using namespace std;
const int INF = 2147483647 + 1;
int main() {
    int n;
    cin >> n;
    cout << min(n, INF) << endl;
    return 0;
}
