#include <iostream>
using namespace std;
// 计算长方形的面积
int main() {
    int a, b;
    cin >> a >> b;
    cout << "面积是：" << a * b << endl;
    return 0;
}
