#include <iostream>
using namespace std;
struct Team {
    int size;
};
int main() {
    Team t;
    t.size = 5;
    cout << t.size() << endl;
    return 0;
}
