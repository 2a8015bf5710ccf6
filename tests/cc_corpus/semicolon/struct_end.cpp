#include <bits/stdc++.h>
using namespace std;

struct Student {
    string name;
    int score;
}

bool cmp(Student a, Student b) {
    return a.score > b.score;
}

int main() {
    int n;
    cin >> n;
    vector<Student> s(n);
    for (int i = 0; i < n; i++) cin >> s[i].name >> s[i].score;
    sort(s.begin(), s.end(), cmp);
    for (int i = 0; i < n; i++) cout << s[i].name << " " << s[i].score << endl;
    return 0;
}
