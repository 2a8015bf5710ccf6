#include <iostrem>
int main() {}
