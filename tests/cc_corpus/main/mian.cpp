#include <iostream>
using namespace std;
int mian() {
    cout << "Hello World" << endl;
    return 0;
}
