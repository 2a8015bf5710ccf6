#include <iostream>
using namespace std;
int main() {
    unsigned long long x = 123456789012345678901;
    cout << x << endl;
    return 0;
}
