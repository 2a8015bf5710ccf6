#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    if (isPrime(n)) cout << "Yes" << endl;
    else cout << "No" << endl;
    return 0;
}
bool isPrime(int x) {
    if (x < 2) return false;
    for (int i = 2; i * i <= x; i++)
        if (x % i == 0) return false;
    return true;
}
