#include <iostream>
using namespace std;
int main() {
    // 10^9+7 取模
    long long mod = 1000000007;
    long long big = 1000000 * 1000000;
    cout << big % mod << endl;
    return 0;
}
