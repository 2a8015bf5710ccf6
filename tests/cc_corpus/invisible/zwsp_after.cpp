#include <iostream>
using namespace std;
int main() {
    int n;
    cin >> n;
    cout << n​ << endl;
    return 0;
}
