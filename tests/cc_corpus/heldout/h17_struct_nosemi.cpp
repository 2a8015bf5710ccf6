#include <bits/stdc++.h>
using namespace std;
struct Edge {
    int u, v, w;
}
Edge e[10005];
int main() {
    int m;
    cin >> m;
    for (int i = 0; i < m; i++) cin >> e[i].u >> e[i].v >> e[i].w;
    cout << e[0].w << endl;
    return 0;
}
