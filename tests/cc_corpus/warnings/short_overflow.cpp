#include <iostream>
using namespace std;
int main() {
    char c = 300;
    cout << (int)c << endl;
    return 0;
}
