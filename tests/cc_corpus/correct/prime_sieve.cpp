#include <bits/stdc++.h>
using namespace std;
const int N = 1000005;
bool notPrime[N];
vector<int> primes;
int main() {
    int n;
    scanf("%d", &n);
    for (int i = 2; i <= n; i++) {
        if (!notPrime[i]) primes.push_back(i);
        for (int j = 0; j < primes.size() && i * primes[j] <= n; j++) {
            notPrime[i * primes[j]] = true;
            if (i % primes[j] == 0) break;
        }
    }
    printf("%d\n", (int)primes.size());
    return 0;
}
