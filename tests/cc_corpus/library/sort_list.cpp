#include <iostream>
#include <list>
#include <algorithm>
using namespace std;
int main() {
    list<int> l = {3, 1, 2};
    sort(l.begin(), l.end());
    cout << l.front() << endl;
    return 0;
}
