#include <iostream>
using namespace std;
main() {
    cout << "hello" << endl;
    return 0;
}
