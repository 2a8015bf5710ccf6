#include <iostream>
using namespace std;
int main() {
    int n, s = 0;
    cin >> n;
    int i = 1;
    while (i <= n);
    {
        s += i;
        i++;
    }
    cout << s << endl;
    return 0;
}
