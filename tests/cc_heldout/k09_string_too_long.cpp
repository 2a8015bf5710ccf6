#include <iostream>
using namespace std;
int main() {
    char s[5] = "hello";
    cout << s << endl;
    return 0;
}
