#include <iostream>
#include <vector>
using namespace std;
int main() {
    vector<vector<char>> board(2);
    cout << board.size() << endl;
    return 0;
}
