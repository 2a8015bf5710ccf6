#include <iostream>
using namespace std;
int main() {
    int a;
    cin >> a;
    int b = a / 0;
    cout << b << endl;
    return 0;
}
