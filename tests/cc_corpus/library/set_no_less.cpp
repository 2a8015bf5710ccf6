#include <iostream>
#include <set>
using namespace std;
struct Point {
    int x, y;
};
int main() {
    set<Point> s;
    s.insert({1, 2});
    cout << s.size() << endl;
    return 0;
}
