#include <iostream>
using namespace std;
int main() {
    int rgb[2] = {255, 128, 0};
    cout << rgb[0] << endl;
    return 0;
}
