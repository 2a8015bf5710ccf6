#include <iostream>
#include <string>
using namespace std;
int main() {
    string s = "hello";
    string t = s - "lo";
    cout << t << endl;
    return 0;
}
