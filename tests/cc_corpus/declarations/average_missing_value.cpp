#include <iostream>
using namespace std;
int main() {
    int a = 4, b = 6;
    double avg = (a + b) / ;
    cout << avg << endl;
    return 0;
}
