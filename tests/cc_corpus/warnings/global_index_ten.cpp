#include <iostream>
using namespace std;
int a[10];
int main() {
    a[10] = 5;
    cout << a[10] << endl;
    return 0;
}
