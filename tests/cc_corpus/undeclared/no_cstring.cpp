#include <iostream>
using namespace std;
int a[1005];
int main() {
    memset(a, 0, sizeof(a));
    int n;
    cin >> n;
    for (int i = 0; i < n; i++) {
        int x;
        cin >> x;
        a[x]++;
    }
    for (int i = 0; i <= 1000; i++)
        if (a[i]) cout << i << " " << a[i] << endl;
    return 0;
}
