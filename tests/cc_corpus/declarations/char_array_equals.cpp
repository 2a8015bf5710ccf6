#include <iostream>
using namespace std;
int main() {
    char city[10];
    city = "Beijing";
    cout << city << endl;
    return 0;
}
