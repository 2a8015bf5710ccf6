#include <iostream>
using namespace std;
#define SQUARE(x) ((x) * (x))
int main() {
    int a = 3, b = 4;
    cout << SQUARE(a, b) << endl;
    return 0;
}
