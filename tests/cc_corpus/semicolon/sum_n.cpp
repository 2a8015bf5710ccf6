#include <bits/stdc++.h>
using namespace std;
// 求 1 到 n 的和
int main()
{
    int n;
    long long sum = 0
    cin >> n;
    for (int i = 1; i <= n; i++)
        sum += i;
    cout << sum << endl;
    return 0;
}
