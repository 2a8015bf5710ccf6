#include <iostream>
using namespace std;
int main() {
    int n = 10;
    int a = new int[n];
    cout << n << endl;
    return 0;
}
