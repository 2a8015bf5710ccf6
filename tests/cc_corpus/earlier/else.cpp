int main() {
    int a = 1;
    if (a > 0);
        a = 2;
    else
        a = 3;
}
