#include <iostrem>
using namespace std;
int main() {
    cout << "hi" << endl;
    return 0;
}
