#include <iostream>
using namespace std;
int main() {
    int a[5] = {1, 2, 3, 4, 5};
    int b[5];
    b = a;
    cout << b[0] << endl;
    return 0;
}
