#include <iostream>
using namespace std;
int main() {
    int score;
    cin >> score;
    if (score >= 90) cout << "A" << endl;
    elseif (score >= 60) cout << "B" << endl;
    else cout << "C" << endl;
    return 0;
}
