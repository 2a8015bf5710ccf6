#include <bits/stdc++.h>
using namespace std;
int n, m, dis[105][105];
char g[105][105];
int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
int main() {
    cin >> n >> m;
    for (int i = 0; i < n; i++) cin >> g[i];
    memset(dis, -1, sizeof dis);
    queue<pair<int, int>> q;
    q.push({0, 0});
    dis[0][0] = 0;
    while (!q.empty()) {
        auto [x, y] = q.front();
        q.pop();
        for (int d = 0; d < 4; d++) {
            int nx = x + dx[d], ny = y + dy[d];
            if (nx < 0 || ny < 0 || nx >= n || ny >= m) continue;
            if (g[nx][ny] == '#' || dis[nx][ny] != -1) continue;
            dis[nx][ny] = dis[x][y] + 1;
            q.push({nx, ny});
        }
    }
    cout << dis[n - 1][m - 1] << endl;
    return 0;
}
