#include <iostream>
#include <vector>
using namespace std;
int main() {
    vector<vector<int>> g(3);
    g[0].push_back(1);
    cout << g[0].size() << endl;
    return 0;
}
