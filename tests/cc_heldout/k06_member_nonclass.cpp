#include <iostream>
using namespace std;
int main() {
    int n = 12345;
    cout << n.size() << endl;
    return 0;
}
