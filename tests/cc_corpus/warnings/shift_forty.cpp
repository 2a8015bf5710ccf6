#include <iostream>
using namespace std;
int main() {
    long long big = 1 << 40;
    cout << big << endl;
    return 0;
}
