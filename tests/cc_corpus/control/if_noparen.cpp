#include <iostream>
using namespace std;
int main() {
    int a;
    cin >> a;
    if a % 2 == 0 {
        cout << "even" << endl;
    }
    return 0;
}
