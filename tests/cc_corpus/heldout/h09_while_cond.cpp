#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    int digits = 0;
    while n != 0 {
        n /= 10;
        digits++;
    }
    cout << digits << endl;
    return 0;
}
