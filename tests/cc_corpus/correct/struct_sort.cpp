#include <bits/stdc++.h>
using namespace std;
struct Stu {
    char name[25];
    int chinese, math, english, total;
} s[1005];
bool cmp(const Stu &a, const Stu &b) {
    if (a.total != b.total) return a.total > b.total;
    return strcmp(a.name, b.name) < 0;
}
int main() {
    int n;
    scanf("%d", &n);
    for (int i = 0; i < n; i++) {
        scanf("%s%d%d%d", s[i].name, &s[i].chinese, &s[i].math, &s[i].english);
        s[i].total = s[i].chinese + s[i].math + s[i].english;
    }
    sort(s, s + n, cmp);
    for (int i = 0; i < n; i++) printf("%s %d\n", s[i].name, s[i].total);
    return 0;
}
