#include <iostream>
#include <string>
int main() {
    string s;
    cin >> s;
    cout << s.size() << endl;
    return 0;
}
