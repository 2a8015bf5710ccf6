#include <iostream>
using namespace std;
int dfs(int x);
int main() {
    int n;
    cin >> n;
    cout << dfs(n) << endl;
    return 0;
}
