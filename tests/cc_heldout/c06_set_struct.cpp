#include <iostream>
#include <set>
using namespace std;
struct Item {
    int price;
    string name;
    bool operator<(const Item &o) const { return price < o.price; }
};
int main() {
    set<Item> s;
    s.insert({3, "pen"});
    s.insert({1, "eraser"});
    for (const Item &it : s) cout << it.name << " " << it.price << endl;
    return 0;
}
