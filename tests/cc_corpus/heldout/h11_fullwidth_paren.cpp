#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    if （n % 3 == 0） cout << "yes" << endl;
    else cout << "no" << endl;
    return 0;
}
