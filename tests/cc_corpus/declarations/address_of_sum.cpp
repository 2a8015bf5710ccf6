#include <iostream>
using namespace std;
int main() {
    int a = 1, b = 2;
    int *p = &(a + b);
    cout << *p << endl;
    return 0;
}
