#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    if (n > 0) cout << "positive" << endl;
    elseif (n < 0) cout << "negative" << endl;
    cout >> n;
    return 0;
}
