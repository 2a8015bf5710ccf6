#include <iostream>
#include <set>
using namespace std;
int main() {
    set<int> s = {5, 8, 13};
    set<int>::iterator it = s.find(8);
    cout << it - s.begin() << endl;
    return 0;
}
