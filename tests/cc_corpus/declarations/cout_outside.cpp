#include <iostream>
using namespace std;
int total = 10;
cout << total << endl;
int main() {
    return 0;
}
