#include <iostream>
#include <conio.h>
using namespace std;
int main() {
    cout << "press a key" << endl;
    getch();
    return 0;
}
