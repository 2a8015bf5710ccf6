#include <iostream>
using namespace std;
int main() {
    int a, b;
    cin >> a >> b;
    cout << "和是：" << a + b << endl;
    cout << "积是：" << a * b << endl
    return 0;
}
