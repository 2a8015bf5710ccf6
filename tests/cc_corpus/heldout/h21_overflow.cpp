#include <iostream>
using namespace std;
int main() {
    long long ans = 2000000000 * 3;
    cout << ans << endl;
    return 0;
}
