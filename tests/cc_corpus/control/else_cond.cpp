#include <iostream>
using namespace std;
int main() {
    int x;
    cin >> x;
    if (x > 0) cout << "positive" << endl;
    else (x < 0) cout << "negative" << endl;
    return 0;
}
