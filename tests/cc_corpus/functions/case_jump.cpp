#include <iostream>
using namespace std;
int main() {
    int op;
    cin >> op;
    switch (op) {
    case 1:
        int a = 5;
        cout << a << endl;
        break;
    case 2:
        cout << "two" << endl;
        break;
    }
    return 0;
}
