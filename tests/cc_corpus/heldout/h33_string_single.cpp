#include <bits/stdc++.h>
using namespace std;
int main() {
    string op;
    cin >> op;
    if (op == '+') cout << "add" << endl;
    return 0;
}
