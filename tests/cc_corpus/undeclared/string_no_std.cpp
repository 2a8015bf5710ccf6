#include <iostream>
#include <string>
using std::cin;
using std::cout;
int main() {
    string name;
    cin >> name;
    cout << "Hello, " << name << "!\n";
    return 0;
}
