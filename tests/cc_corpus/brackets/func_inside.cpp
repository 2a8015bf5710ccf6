#include <iostream>
using namespace std;
int sq(int x) {
    return x * x;

int main() {
    int n;
    cin >> n;
    cout << sq(n) << endl;
    return 0;
}
