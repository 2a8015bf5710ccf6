#include <iostream>
using namespace std;
int main() {
    int a, b;
    cin >> a >> b
    int c = a * b;
    cout << c << end1;
    return 0;
}
