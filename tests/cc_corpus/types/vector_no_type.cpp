#include <iostream>
#include <vector>
using namespace std;
int main() {
    vector v;
    v.push_back(1);
    cout << v.size() << endl;
    return 0;
}
