#include <iostream>
using namespace std;
int check(int x) {
    if (x < 0) return;
    return x * 2;
}
int main() {
    cout << check(5) << endl;
    return 0;
}
