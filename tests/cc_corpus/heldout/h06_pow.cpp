#include <iostream>
using namespace std;
int main() {
    double x;
    int n;
    cin >> x >> n;
    cout << pow(x, n) << endl;
    return 0;
}
