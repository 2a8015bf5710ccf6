#include <iostream>
using namespace std;
int main() {
    double d = 1.5.2;
    cout << d << endl;
    return 0;
}
