#include <iostream>
using namespace std;
enum Color { RED, GREEN };
int main() {
    int c = RED(1);
    cout << c << endl;
    return 0;
}
