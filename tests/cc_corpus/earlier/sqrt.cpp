#include <iostream>
int main() {
    return sqrt(4.0) > 1;
}
