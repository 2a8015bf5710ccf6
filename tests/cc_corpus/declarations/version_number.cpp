#include <iostream>
using namespace std;
int main() {
    double v = 3.1.4;
    cout << v << endl;
    return 0;
}
