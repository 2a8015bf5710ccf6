#include <iostream>
using namespace std;
int main() {
    int total = 0;
    total[1] = 5;
    cout << total << endl;
    return 0;
}
