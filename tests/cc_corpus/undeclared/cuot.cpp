#include <iostream>
using namespace std;
int main() {
    int x;
    cin >> x;
    if (x % 2 == 0) cuot << "even" << endl;
    else cout << "odd" << endl;
    return 0;
}
