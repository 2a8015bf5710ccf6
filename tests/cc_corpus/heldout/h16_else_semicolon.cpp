#include <iostream>
using namespace std;
int main() {
    int t;
    cin >> t;
    if (t > 30);
    {
        cout << "hot" << endl;
    }
    else {
        cout << "ok" << endl;
    }
    return 0;
}
