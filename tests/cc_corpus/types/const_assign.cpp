#include <iostream>
using namespace std;
int main() {
    double r;
    cin >> r;
    const double PI = 3.14159;
    PI = 3.14;
    cout << PI * r * r << endl;
}
