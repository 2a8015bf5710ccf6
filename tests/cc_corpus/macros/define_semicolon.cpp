#include <iostream>
using namespace std;
#define MAXN 1005;
int f[MAXN];
int main() {
    f[0] = 1;
    cout << f[0] << endl;
    return 0;
}
