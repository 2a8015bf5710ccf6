#include <iostream>
using namespace std;
int main() {
    const int limit;
    cout << limit << endl;
    return 0;
}
