#include <iostream>
#include <vector>
#include <algorithm>
using namespace std;
bool by_length(string a, string b) {
    return a.size() < b.size();
}
int main() {
    vector<int> v = {30, 1, 200};
    sort(v.begin(), v.end(), by_length);
    cout << v[0] << endl;
    return 0;
}
