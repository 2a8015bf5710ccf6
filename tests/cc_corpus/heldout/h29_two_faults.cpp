#include <iostream>
using namespace std;
int main() {
    int a, b;
    cin >> a >> b;
    int s = a + b;
    cout << "sum: " << s << endl
    cout << "avg: " << s / 2.0 << endl;
    cout << "max: " << max(a, b) << endl;
    retrun 0;
}
