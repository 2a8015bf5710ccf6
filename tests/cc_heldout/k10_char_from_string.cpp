#include <iostream>
using namespace std;
int main() {
    char c = "a";
    cout << c << endl;
    return 0;
}
