#include <iostream>
using namespace std;
int n = 100;
int a[n];
int main() {
    for (int i = 0; i < n; i++) a[i] = i;
    cout << a[n - 1] << endl;
    return 0;
}
