#include <iostream>
using namespace std;
int main() {
    int month = 09;
    cout << month << endl;
    return 0;
}
