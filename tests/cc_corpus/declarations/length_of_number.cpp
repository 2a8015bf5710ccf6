#include <iostream>
using namespace std;
int main() {
    long long phone = 13800138000LL;
    cout << phone.length() << endl;
    return 0;
}
