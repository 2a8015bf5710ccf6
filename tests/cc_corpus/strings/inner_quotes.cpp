#include <iostream>
using namespace std;
int main() {
    cout << "He said "hello" to me" << endl;
    return 0;
}
