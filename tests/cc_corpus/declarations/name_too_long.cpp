#include <cstdio>
int main() {
    char word[3] = "cat";
    printf("%s\n", word);
    return 0;
}
