#include <iostream>
using namespace std;
int main() {
    int *p = &5;
    cout << *p << endl;
    return 0;
}
