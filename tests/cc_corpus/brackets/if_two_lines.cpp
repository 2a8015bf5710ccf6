#include <iostream>
#include <algorithm>
using namespace std;
int main() {
    int a = 3, b = 4;
    int larger = max(a,
                     b;
    cout << larger << endl;
    return 0;
}
