#include <iostream>
using namespace std;
int main() {
    int i = 1;
    i = i++ + 1;
    cout << i << endl;
    return 0;
}
