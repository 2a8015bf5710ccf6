#include <cstdio>
int main() {
    char line[100];
    gets(line);
    puts(line);
    return 0;
}
