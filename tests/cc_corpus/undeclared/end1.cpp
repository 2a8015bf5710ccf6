#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    // 输出 n 的平方
    cout << n * n << end1;
    return 0;
}
