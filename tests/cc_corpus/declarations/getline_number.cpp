#include <iostream>
#include <string>
using namespace std;
int main() {
    double price;
    getline(cin, price);
    cout << price << endl;
    return 0;
}
