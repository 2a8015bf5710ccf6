#include <iostream>
using namespace std;
struct Edge {
    int to;
};
int main() {
    Edge *e = new Edge;
    e.to = 3;
    cout << e->to << endl;
    return 0;
}
