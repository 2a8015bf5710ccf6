#include <iostream>
using namespace std;
int main() {
    int a, b, c;
    cin >> a >> b;
    a + b = c;
    cout << c << endl;
    return 0;
}
