#include <iostream>
#include <string>
using namespace std;
int main() {
    string op;
    cin >> op;
    switch (op) {
    case "add":
        cout << 1 << endl;
        break;
    }
    return 0;
}
