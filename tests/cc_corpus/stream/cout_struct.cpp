#include <iostream>
using namespace std;
struct Node {
    int x, y;
};
int main() {
    Node a;
    cin >> a.x >> a.y;
    cout << a << endl;
    return 0;
}
