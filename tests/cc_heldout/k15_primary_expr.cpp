#include <iostream>
using namespace std;
int main() {
    int a = 1, b = 2;
    int s = a + ;
    cout << s << b << endl;
    return 0;
}
