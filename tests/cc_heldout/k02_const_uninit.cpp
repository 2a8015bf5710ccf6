#include <iostream>
using namespace std;
int main() {
    const int n;
    cout << n << endl;
    return 0;
}
