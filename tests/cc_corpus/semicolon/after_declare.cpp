#include <iostream>
#include <string>
using namespace std;
int main() {
    string s
    getline(cin, s);
    int len = s.size();
    for (int i = len - 1; i >= 0; i--) cout << s[i];
    cout << endl;
    return 0;
}
