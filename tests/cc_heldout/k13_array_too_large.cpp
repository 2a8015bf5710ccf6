#include <iostream>
using namespace std;
int g[100000][100000];
int main() {
    g[1][1] = 1;
    cout << g[1][1] << endl;
    return 0;
}
