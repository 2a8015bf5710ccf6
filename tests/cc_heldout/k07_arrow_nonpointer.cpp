#include <iostream>
using namespace std;
struct Point {
    int x, y;
};
int main() {
    Point p;
    p->x = 1;
    p.y = 2;
    cout << p.x + p.y << endl;
    return 0;
}
