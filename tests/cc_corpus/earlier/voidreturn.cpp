void f() {
    return 1;
}
int main() {
    f();
}
