#include <iostream>
using namespace std;
int main() {
    const int steps = 0;
    for (int i = 0; i < 3; i++) steps++;
    cout << steps << endl;
    return 0;
}
