#include <iostream>
#include <algorithm>
using namespace std;
int main() {
    int a, b, c;
    cin >> a >> b >> c;
    int smallest = min(a, b, c);
    cout << smallest << endl;
    return 0;
}
