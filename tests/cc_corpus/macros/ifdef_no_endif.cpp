#include <iostream>
using namespace std;
#ifndef ONLINE_JUDGE
int debug_level = 1;
int main() {
    cout << debug_level << endl;
    return 0;
}
