#include <iostream>
#include <string>
using namespace std;
int main() {
    int n;
    cin >> n;
    string s = "n = " + n;
    string t = n;
    cout << s << t << endl;
    return 0;
}
