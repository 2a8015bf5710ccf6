#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    int square(int x) {
        return x * x;
    }
    cout << square(n) << endl;
    return 0;
}
