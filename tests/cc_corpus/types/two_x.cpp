#include <iostream>
using namespace std;
int main() {
    int x;
    cin >> x;
    int y = 2x + 1;
    cout << y << endl;
    return 0;
}
