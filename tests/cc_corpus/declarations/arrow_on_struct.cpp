#include <iostream>
using namespace std;
struct Student {
    int age;
};
int main() {
    Student s;
    s->age = 12;
    cout << s.age << endl;
    return 0;
}
