#include <iostream>
using namespace std;

class Point {
public:
    int x, y;
    int dist() { return x * x + y * y; }
}

int main() {
    Point p;
    cin >> p.x >> p.y;
    cout << p.dist() << endl;
    return 0;
}
