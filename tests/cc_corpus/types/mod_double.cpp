#include <iostream>
using namespace std;
int main() {
    double n;
    cin >> n;
    if (n % 2 == 0) cout << "even" << endl;
    return 0;
}
