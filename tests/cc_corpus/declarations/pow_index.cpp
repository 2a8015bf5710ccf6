#include <iostream>
#include <cmath>
using namespace std;
int main() {
    int cnt[20] = {0};
    cnt[pow(2, 3)] = 1;
    cout << cnt[8] << endl;
    return 0;
}
