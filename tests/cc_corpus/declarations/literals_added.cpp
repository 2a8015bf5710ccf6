#include <iostream>
#include <string>
using namespace std;
int main() {
    string greeting = "Hi, " + "there";
    cout << greeting << endl;
    return 0;
}
