#include <iostream>
#include <vector>
#include <algorithm>
using namespace std;
int main() {
    int limit = 3;
    vector<int> v = {1, 5, 2, 7};
    int big = count_if(v.begin(), v.end(), [](int x) { return x > limit; });
    cout << big << endl;
    return 0;
}
