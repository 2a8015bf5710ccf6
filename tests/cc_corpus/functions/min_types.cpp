#include <bits/stdc++.h>
using namespace std;
int main() {
    long long a;
    int b;
    cin >> a >> b;
    cout << min(a, b) << endl;
    return 0;
}
