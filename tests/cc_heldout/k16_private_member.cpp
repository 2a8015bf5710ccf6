#include <iostream>
using namespace std;
class Counter {
    int count;
};
int main() {
    Counter c;
    c.count = 0;
    cout << c.count << endl;
    return 0;
}
