#include <iostream>
using namespace std;
int main() {
    int x;
    cin >> x;
    if (x > 0) {
        cout << "positive" << endl;
    }
    cout << "checked" << endl;
    else {
        cout << "not positive" << endl;
    }
    return 0;
}
