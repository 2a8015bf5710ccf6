#include <iostream>
#include <vector>
#include <algorithm>
using namespace std;
int main() {
    vector<pair<int, int>> v = {{3, 1}, {1, 2}, {2, 3}};
    sort(v.begin(), v.end(), [](const pair<int, int> &a, const pair<int, int> &b) {
        return a.second > b.second;
    });
    for (auto &p : v) cout << p.first << " " << p.second << endl;
    return 0;
}
