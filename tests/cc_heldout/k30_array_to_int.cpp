#include <iostream>
using namespace std;
void show(int x) {
    cout << x << endl;
}
int main() {
    int a[3] = {1, 2, 3};
    show(a);
    return 0;
}
