#include <iostream>
using namespace std;
int main() {
    int count = 0; // counter \
    int step = 2;
    count += step;
    cout << count << endl;
    return 0;
}
