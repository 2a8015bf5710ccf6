#include <iostream>
using namespace std;
int main() {
    string name;
    cin >> name;
    cout << "Hello, << name << endl;
    return 0;
}
