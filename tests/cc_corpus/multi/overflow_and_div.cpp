#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    int big = 100000 * 100000;
    int avg = n / 0;
    cout << big << " " << avg << endl;
    return 0;
}
