#include <iostream>
struct P { int x; };
int main() {
    P p{1};
    std::cout << p;
}
