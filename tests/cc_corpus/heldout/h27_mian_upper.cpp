#include <iostream>
using namespace std;
int mian()
{
    int a, b;
    cin >> a >> b;
    cout << a % b << endl;
    return 0;
}
