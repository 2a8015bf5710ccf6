#include <iostream>
using namespace std;
int main() {
    for (const int i = 0; i < 3; i++) {
        cout << i << endl;
    }
    return 0;
}
