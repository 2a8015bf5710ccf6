#include <bits/stdc++.h>
// 最大公约数
using namespace std;

int main() {
    int a, b;
    cin >> a >> b;
    cout << gys(a, b) << endl;
    return 0;
}

int gys(int a, int b) {
    return b == 0 ? a : gys(b, a % b);
}
