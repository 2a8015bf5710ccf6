#include <bits/stdc++.h>
using namespace std;
int main() {
    string s;
    cin >> s;
    printf("%s\n", s);
    return 0;
}
