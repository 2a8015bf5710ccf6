#include <bits/stdc++.h>
using namespace std;
int main() {
    string s;
    cin >> s;
    int n = s;
    cout << n + 1 << endl;
    return 0;
}
