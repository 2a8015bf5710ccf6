#include <iostream>
using namespace std;
class Box {
    int width;
};
int main() {
    Box b;
    b.width = 5;
    cout << b.width << endl;
    return 0;
}
