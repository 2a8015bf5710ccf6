#include <vector>
int main() {
    std::vector<int> v;
    for (int x : v) {}
}
