#include <iostream>
using namespace std;
int main() {
    int a = 6, b = 3;
    cout << a @ b << endl;
    return 0;
}
