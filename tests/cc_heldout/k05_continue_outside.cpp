#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    if (n < 0) {
        continue;
    }
    cout << n << endl;
    return 0;
}
