#include <iostream>
#include <cmath>
using namespace std;
int main() {
    int a[100] = {0};
    int n = 49;
    a[sqrt(n)] = 1;
    cout << a[7] << endl;
    return 0;
}
