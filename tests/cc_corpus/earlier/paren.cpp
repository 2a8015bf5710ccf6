int main() {
    int a = 1;
    if ((a + 1) * 2 > 3 {
        a = 2;
    }
}
