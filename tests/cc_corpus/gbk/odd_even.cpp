#include <iostream>
using namespace std;
int main() {
    int n£ª
    cin >> n;
    // ≈–∂œ∆Ê≈º
    if (n % 2 == 0) cout << "≈º ˝" << endl;
    else cout << "∆Ê ˝" << endl;
    return 0;
}
