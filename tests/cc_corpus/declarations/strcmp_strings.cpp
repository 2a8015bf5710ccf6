#include <iostream>
#include <cstring>
#include <string>
using namespace std;
int main() {
    string a = "abc", b = "abd";
    if (strcmp(a, b) < 0) cout << a << endl;
    return 0;
}
