#include <iostream>
using namespace std;
square(int x) {
    return x * x;
}
int main() {
    cout << square(4) << endl;
    return 0;
}
