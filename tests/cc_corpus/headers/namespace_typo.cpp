#include <iostream>
using namspace std;
int main() {
    cout << "ok" << endl;
    return 0;
}
