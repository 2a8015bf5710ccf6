#include <iostream>
#include <algorithm>
using namespace std;
int count = 0;
int main() {
    int n;
    cin >> n;
    for (int i = 0; i < n; i++) count++;
    cout << count << endl;
    return 0;
}
