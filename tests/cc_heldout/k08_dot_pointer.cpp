#include <iostream>
using namespace std;
struct Node {
    int val;
    Node *next;
};
int main() {
    Node *head = new Node;
    head.val = 5;
    cout << head->val << endl;
    return 0;
}
