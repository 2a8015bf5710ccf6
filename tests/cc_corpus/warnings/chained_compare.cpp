#include <iostream>
using namespace std;
int main() {
    int age;
    cin >> age;
    if (12 <= age <= 18) cout << "teen" << endl;
    else cout << "not teen" << endl;
    return 0;
}
