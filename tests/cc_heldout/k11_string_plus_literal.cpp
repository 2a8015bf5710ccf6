#include <iostream>
#include <string>
using namespace std;
int main() {
    string s = "hello" + " world";
    cout << s << endl;
    return 0;
}
