#include <iostream>
#include <algorithm>
using namespace std;
int main() {
    int w[5] = {5, 3, 9, 1, 7};
    int id[5] = {0, 1, 2, 3, 4};
    sort(id, id + 5, [](int x, int y) { return w[x] < w[y]; });
    for (int i = 0; i < 5; i++) cout << id[i] << " ";
    return 0;
}
