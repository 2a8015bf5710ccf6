#include <iostream>
using namespace std;
int main() {
    int number;
    cin >> number;
    int total = 0;
    while (number > 0) {
        total += numbr % 10;
        number /= 10;
    }
    cout << total << endl;
    return 0;
}
