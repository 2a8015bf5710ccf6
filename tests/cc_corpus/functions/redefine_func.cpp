#include <iostream>
using namespace std;
int f(int x) {
    return x + 1;
}
int f(int x) {
    return x * 2;
}
int main() {
    cout << f(3) << endl;
    return 0;
}
