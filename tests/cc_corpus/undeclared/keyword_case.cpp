#include <iostream>
using namespace std;
int main() {
    Int a, b;
    cin >> a >> b;
    cout << a * b << endl;
    return 0;
}
