#include <bits/stdc++.h>
using namespace std;
int main() {
    vector<int> v;
    int x;
    while (cin >> x) v.push(x);
    cout << v.size() << endl;
    return 0;
}
