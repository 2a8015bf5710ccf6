#include <iostream>
using namespace std;
int main() {
    int n, cnt = 0;
    cin >> n;
    do {
        n /= 10;
        cnt++;
    } while (n > 0)
    cout << cnt << endl;
    return 0;
}
