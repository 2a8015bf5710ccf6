#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    c0ut << n + 1 << endl;
    return 0;
}
