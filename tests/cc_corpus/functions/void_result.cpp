#include <iostream>
using namespace std;
void square(int x) {
    cout << x * x << endl;
}
int main() {
    int n;
    cin >> n;
    int r = square(n);
    cout << r + 1 << endl;
    return 0;
}
