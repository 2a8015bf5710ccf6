#include <iostream>
using namespace std;
int main() {
    char name[20];
    name = "Tom";
    cout << name << endl;
    return 0;
}
