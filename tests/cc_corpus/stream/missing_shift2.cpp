#include <bits/stdc++.h>
using namespace std;
int main() {
    int x, y;
    cin >> x >> y;
    // 输出坐标
    cout << x << " " y << endl;
    return 0;
}
