#include <iostream>
#include <string>
using namespace std;
int main() {
    string s;
    getline(cin, s);
    int words = 0;
    bool in = false;
    for (char c : s) {
        if (c != ' ' && !in) { words++; in = true; }
        else if (c == ' ') in = false;
    }
    cout << words << endl;
    return 0;
}
