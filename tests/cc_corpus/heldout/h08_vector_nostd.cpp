#include <iostream>
#include <vector>
int main() {
    int n;
    std::cin >> n;
    vector<int> v(n);
    for (int i = 0; i < n; i++) std::cin >> v[i];
    std::cout << v.size() << std::endl;
    return 0;
}
