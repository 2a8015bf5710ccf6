#include <iostream>
#include <cstring>
using namespace std;
int main() {
    char s[100];
    cin >> s;
    int n = strlen();
    cout << n << endl;
    return 0;
}
