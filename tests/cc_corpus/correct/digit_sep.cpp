#include <iostream>
using namespace std;
const long long MOD = 1'000'000'007;
int main() {
    long long a, b;
    cin >> a >> b;
    cout << a * b % MOD << endl;
    return 0;
}
