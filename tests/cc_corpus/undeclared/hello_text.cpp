#include <iostream>
using namespace std;
int main()
{
    cout << Hello << endl;
    return 0;
}
