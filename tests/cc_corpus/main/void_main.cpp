#include <iostream>
using namespace std;
void main() {
    int a;
    cin >> a;
    cout << a << endl;
}
