#include <string>
int main() {
    std::string s = "ab";
    return s[0] == "a";
}
