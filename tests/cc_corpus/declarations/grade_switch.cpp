#include <iostream>
#include <string>
using namespace std;
int main() {
    string grade = "A";
    switch (grade) {
    case 'A':
        cout << "great" << endl;
        break;
    }
    return 0;
}
