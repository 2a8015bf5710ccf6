#include <bits/stdc++.h>
using namespace std;
int main() {
    int y;
    cin >> y;
    // 判断闰年
    if (y % 400 == 0) {
        cout << "yes";
    } elseif (y % 4 == 0 && y % 100 != 0) {
        cout << "yes";
    } else {
        cout << "no";
    }
    return 0;
}
