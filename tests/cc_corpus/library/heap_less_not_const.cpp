#include <iostream>
#include <queue>
using namespace std;
struct Task {
    int urgency;
    bool operator<(const Task &o) { return urgency < o.urgency; }
};
int main() {
    priority_queue<Task> q;
    q.push({3});
    q.push({5});
    cout << q.top().urgency << endl;
    return 0;
}
