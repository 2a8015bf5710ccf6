#include <iostream>
using namespace std;
int main() {
    int score = 90;
    int &alias;
    cout << score << endl;
    return 0;
}
