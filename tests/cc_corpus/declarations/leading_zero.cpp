#include <iostream>
using namespace std;
int main() {
    int day = 08;
    cout << day << endl;
    return 0;
}
