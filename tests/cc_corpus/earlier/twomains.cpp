int main() {
    return 0;
}
int main() {
    return 1;
}
