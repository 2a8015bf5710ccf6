#include <iostream>
using namespace std;
int main() {
    int speed = 1; // start slowly \
    speed = 5;
    cout << speed << endl;
    return 0;
}
