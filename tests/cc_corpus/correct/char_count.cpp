#include <cstdio>
#include <cstring>
char s[100005];
int cnt[26];
int main() {
    scanf("%s", s);
    int len = strlen(s);
    for (int i = 0; i < len; i++) cnt[s[i] - 'a']++;
    for (int i = 0; i < 26; i++)
        if (cnt[i]) printf("%c:%d\n", 'a' + i, cnt[i]);
    return 0;
}
