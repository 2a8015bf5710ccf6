#include <bits/stdc++.h>
using namespace std;
int main() {
    string s;
    cin >> s;
    cout << s.lenght() << endl;
    return 0;
}
