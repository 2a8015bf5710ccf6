#include <iostream>
using namespace std;
int main() {
    cout << "hello" << endl;
    return 0;
}
