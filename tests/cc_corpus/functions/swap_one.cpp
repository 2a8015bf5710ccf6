#include <iostream>
#include <algorithm>
using namespace std;
int main() {
    int a = 1, b = 2;
    swap(a);
    cout << a << b << endl;
    return 0;
}
