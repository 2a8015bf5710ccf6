#include <iostream>
using namespace std;
int main() {
    int a;
    cin >> a;
    cout << a << '\n\n';
    return 0;
}
