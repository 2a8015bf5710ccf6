#include <iostream>
using namespace std;
// 判断成绩等级
int main() {
    int score;
    cin >> score;
    if (score >= 90) cout << "优秀" << endl;
    else if (score >= 60) cout << "及格" << endl;
    else cout << "不及格" << endl;
    return 0;
}
