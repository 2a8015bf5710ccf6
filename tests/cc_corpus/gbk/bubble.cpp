#include <bits/stdc++.h>
using namespace std;
/* 冒泡排序
   从小到大输出 */
int a[1005];
int main() {
    int n;
    cin >> n;
    for (int i = 0; i < n; i++) cin >> a[i];
    for (int i = 0; i < n; i++)
        for (int j = 0; j + 1 < n - i; j++)
            if (a[j] > a[j + 1]) swap(a[j], a[j + 1]);
    for (int i = 0; i < n; i++) cout << a[i] << " ";
    cout << end1;
    return 0;
}
