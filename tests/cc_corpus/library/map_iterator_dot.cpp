#include <iostream>
#include <map>
using namespace std;
int main() {
    map<string, int> age;
    age["tom"] = 12;
    for (map<string, int>::iterator it = age.begin(); it != age.end(); it++)
        cout << it.first << " " << it->second << endl;
    return 0;
}
