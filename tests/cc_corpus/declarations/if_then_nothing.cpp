#include <iostream>
using namespace std;
int main() {
    int age;
    cin >> age;
    if (age >= 18)
    else
        cout << "child" << endl;
    return 0;
}
