#include <iostream>
using namespace std;
#define AREA(w, h) ((w) * (h))
int main() {
    int w = 3;
    cout << AREA(w) << endl;
    return 0;
}
