#include <iostream>
using namespace std;
int main() {
    int a = 5;
    int twice(int x) {
        return 2 * x;
    }
    cout << twice(a) << endl;
    return 0;
}
