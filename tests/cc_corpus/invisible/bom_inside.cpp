#include <iostream>
using namespace std;
int main() {
    int x;
    cin >> x;﻿
    cout << x * x << endl;
    return 0;
}
