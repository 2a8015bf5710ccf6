#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    while (n > 0) {
        int last = n % 10;
        n /= 10;
    }
    cout << last << endl;
    return 0;
}
