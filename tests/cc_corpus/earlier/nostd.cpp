#include <iostream>
int main() {
    cout << 1;
}
