#include <iostream>
int main() {
    int n;
    cin >> n;
    cout << n * 2 << endl;
    return 0;
}
