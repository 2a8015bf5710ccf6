#include <bits/stdc++.h>
using namespace std;
// 判断一个数是不是质数
int main() {
    int n;
    cin >> n;
    bool ok = n >= 2;
    for (int i = 2; i * i <= n; i++)
        if (n % i == 0) ok = false;
    if (ok) cout << YES << endl;
    else cout << "NO" << endl;
    return 0;
}
