#include <iostream>
using namespace std;
int main() {
    int a;
    for (int i = 0; i < 5; i++) {
        a[i] = i * i;
    }
    return 0;
}
