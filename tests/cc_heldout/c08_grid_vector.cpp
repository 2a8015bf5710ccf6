#include <iostream>
#include <vector>
using namespace std;
int main() {
    int n = 4, m = 5;
    vector<vector<int>> grid(n, vector<int>(m, 0));
    for (int i = 0; i < n; i++)
        for (int j = 0; j < m; j++)
            grid[i][j] = (i == 0 || j == 0) ? 1 : grid[i - 1][j] + grid[i][j - 1];
    cout << grid[n - 1][m - 1] << endl;
    return 0;
}
