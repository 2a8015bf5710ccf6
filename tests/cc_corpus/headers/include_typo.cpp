#inclde <iostream>
using namespace std;
int main() {
    cout << "ok" << endl;
    return 0;
}
