#include <iostream>
#include <string>
using namespace std;
int main() {
    int n;
    getline(cin, n);
    cout << n << endl;
    return 0;
}
