#include <iostream>
int main() {
    return strlen("ab");
}
