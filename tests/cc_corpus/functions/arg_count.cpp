#include <iostream>
using namespace std;
int power(int a, int b) {
    int r = 1;
    for (int i = 0; i < b; i++) r *= a;
    return r;
}
int main() {
    int x;
    cin >> x;
    cout << power(x) << endl;
    return 0;
}
