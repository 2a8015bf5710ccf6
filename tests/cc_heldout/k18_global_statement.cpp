#include <iostream>
using namespace std;
int n;
cin >> n;
int main() {
    cout << n * 2 << endl;
    return 0;
}
