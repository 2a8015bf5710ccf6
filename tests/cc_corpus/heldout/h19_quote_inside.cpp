#include <iostream>
using namespace std;
int main() {
    string name;
    cin >> name;
    cout << "Hi "boss", " << name << endl;
    return 0;
}
