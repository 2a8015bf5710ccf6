#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    int cnt[10] = {0};
    while (n) {
        cnt[n % 10]++;
        n /= 10;
    }
    for (int i = 0; i < 10; i++) {
        if (cnt[i] > 0) {
            cout << i << ":" << cnt[i] << endl;
    }
    return 0;
}
