#include <iostream>
using namespace std;
int main() {
    int x = 3;
    int &r;
    r = x;
    cout << r << endl;
    return 0;
}
