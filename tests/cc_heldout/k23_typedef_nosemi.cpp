#include <iostream>
using namespace std;
typedef long long ll
int main() {
    ll x = 1;
    cout << x << endl;
    return 0;
}
