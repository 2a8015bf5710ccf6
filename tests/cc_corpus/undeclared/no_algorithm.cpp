#include <iostream>
using namespace std;
int a[100005];
int main() {
    int n;
    cin >> n;
    for (int i = 0; i < n; i++) cin >> a[i];
    sort(a, a + n);
    cout << a[0] << " " << a[n - 1] << endl;
    return 0;
}
