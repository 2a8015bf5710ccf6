#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    if (n > 0) cout << 'positive' << endl;
    return 0;
}
