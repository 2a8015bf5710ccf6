#include <iostream>
using namespace std;
int main() {
    int x;
    cin >> x;
    int y = 3(x + 1);
    cout << y << endl;
    return 0;
}
