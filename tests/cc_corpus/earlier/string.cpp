#include <iostream>
int main() {
    std::cout << "hello;
    return 0;
}
