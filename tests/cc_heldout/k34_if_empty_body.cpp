#include <iostream>
using namespace std;
int main() {
    int x;
    cin >> x;
    if (x > 0)
    else cout << "non-positive" << endl;
    return 0;
}
