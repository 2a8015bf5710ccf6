#include <algorithm>
using namespace std;
int main() {
    int max = 0;
    return max(3, 4);
}
