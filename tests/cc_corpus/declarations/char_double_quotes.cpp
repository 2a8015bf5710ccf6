#include <iostream>
using namespace std;
int main() {
    char answer = "Y";
    cout << answer << endl;
    return 0;
}
