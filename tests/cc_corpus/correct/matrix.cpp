#include <iostream>
#include <iomanip>
using namespace std;
double a[10][10];
int main() {
    int n;
    cin >> n;
    for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) cin >> a[i][j];
    double tr = 0;
    for (int i = 0; i < n; i++) tr += a[i][i];
    cout << fixed << setprecision(2) << tr << endl;
    return 0;
}
