#include <iostream>
#include <map>
using namespace std;
map<long long, long long> memo;
long long f(long long n) {
    if (n <= 1) return n;
    if (memo.count(n)) return memo[n];
    return memo[n] = f(n - 1) + f(n - 2);
}
int main() {
    cout << f(80) << endl;
    return 0;
}
