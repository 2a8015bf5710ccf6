#include <iostream>
using namespace std;
int main() {
    int a, b;
    cin >> a >> b;
    if (a = b) cout << "equal" << endl;
    else cout << "not equal" << endl;
    return 0;
}
