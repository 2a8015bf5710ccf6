#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    for (int i = 1; i <= n; i++) {
        int sq = i * i;
    }
    cout << sq << endl;
    cout << cube(n) << endl;
    return 0;
}
int cube(int x) {
    return x * x * x;
}
