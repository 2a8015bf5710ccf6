#include <iostream>
using namespace std;
int grid[100000][100000];
int main() {
    grid[1][1] = 1;
    cout << grid[1][1] << endl;
    return 0;
}
