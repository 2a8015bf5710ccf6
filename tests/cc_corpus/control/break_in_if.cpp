#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    if (n == 0) {
        break;
    }
    cout << 100 / n << endl;
    return 0;
}
