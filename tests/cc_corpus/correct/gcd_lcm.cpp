#include <bits/stdc++.h>
using namespace std;
long long gcd_(long long a, long long b) { return b ? gcd_(b, a % b) : a; }
int main() {
    long long a, b;
    cin >> a >> b;
    long long g = gcd_(a, b);
    cout << g << " " << a / g * b << endl;
    return 0;
}
