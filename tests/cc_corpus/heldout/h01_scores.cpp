#include <bits/stdc++.h>
using namespace std;
// 统计及格人数
int main() {
    int n, pass = 0;
    cin >> n;
    for (int i = 0; i < n; i++) {
        int s;
        cin >> s;
        if (s >= 60) pass++
    }
    cout << pass << endl;
    return 0;
}
