#include <bits/stdc++.h>
using namespace std;
int main() {
    int n;
    cin >> n;
    // 输出 n 的两倍
    cout << n * 2 << endl；
    return 0;
}
