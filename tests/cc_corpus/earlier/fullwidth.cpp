#include <iostream>
using namespace std;
int main() {
    int a，b；
    cin >> a >> b;
    return 0;
}
