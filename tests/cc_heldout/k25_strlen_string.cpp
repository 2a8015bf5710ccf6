#include <iostream>
#include <cstring>
#include <string>
using namespace std;
int main() {
    string s;
    cin >> s;
    int len = strlen(s);
    cout << len << endl;
    return 0;
}
