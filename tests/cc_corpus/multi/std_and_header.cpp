#include <iostream>
int main() {
    int n;
    std::cin >> n;
    double r = sqrt(n);
    cout << r << std::endl;
    return 0;
}
