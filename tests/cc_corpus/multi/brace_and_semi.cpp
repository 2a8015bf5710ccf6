#include <iostream>
using namespace std;
int main() {
    int t;
    cin >> t;
    while (t--) {
        int x;
        cin >> x;
        if (x % 2 == 0) {
            cout << "even" << endl;
        } else {
            cout << "odd" << endl
        }
    return 0;
}
