int main() {
    int k = 1;
    switch (k) {
    case 1:
        int x = 5;
        return x;
    case 2:
        break;
    }
}
