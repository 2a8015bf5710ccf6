#include <iostream>
using namespace std;
struct Point {
    int x, y;
};
int main() {
    Point p = {1, 2, 3};
    cout << p.x << p.y << endl;
    return 0;
}
