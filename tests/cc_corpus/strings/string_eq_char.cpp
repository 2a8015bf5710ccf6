#include <iostream>
#include <string>
using namespace std;
int main() {
    string s;
    cin >> s;
    if (s == 'y') cout << "yes" << endl;
    return 0;
}
