#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    if (n > 0) cout << "pos" << endl;
    el​se cout << "neg" << endl;
    return 0;
}
