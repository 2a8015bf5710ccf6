int main() {
    int s = 0;
    for (int i = 0, i < 3, i++) s += i;
}
