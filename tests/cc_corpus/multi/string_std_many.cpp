#include <iostream>
#include <string>
int main() {
    string s, t;
    cin >> s >> t;
    if (s == t) cout << "same" << endl;
    else cout << "different" << endl;
    return 0;
}
