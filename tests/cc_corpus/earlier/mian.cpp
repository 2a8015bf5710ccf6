#include <cstdio>
int mian() {
    return 0;
}
