#include <iostream>
using namespace std;
int main() {
    int x;
    cin >> x >> endl;
    cout << x * 3 << endl;
    return 0;
}
