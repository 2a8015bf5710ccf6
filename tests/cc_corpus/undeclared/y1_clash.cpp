#include <bits/stdc++.h>
using namespace std;
// 两点之间的距离
int x1, y1, x2, y2;
int main() {
    cin >> x1 >> y1 >> x2 >> y2;
    cout << abs(x1 - x2) + abs(y1 - y2) << endl;
    return 0;
}
