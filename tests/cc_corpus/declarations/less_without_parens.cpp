#include <iostream>
#include <vector>
#include <algorithm>
using namespace std;
int main() {
    vector<int> v = {2, 9, 4};
    sort(v.begin(), v.end(), less<int>);
    cout << v[0] << endl;
    return 0;
}
