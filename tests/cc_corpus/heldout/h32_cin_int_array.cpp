#include <iostream>
using namespace std;
int main() {
    int a[10];
    cin >> a;
    cout << a[0] << endl;
    return 0;
}
