#include <iostream>
#include <utility>
using namespace std;
int main() {
    pair<int, int> p = make_pair(1, 2);
    cout << p.first() << endl;
    return 0;
}
