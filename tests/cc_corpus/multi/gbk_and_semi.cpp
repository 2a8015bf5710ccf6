#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    // 输出 n 行星号
    for (int i = 0; i < n; i++)
        cout << "*" << endl
    cout << "完成" << endl;
    return 0;
}
