int main() {
    retrun 0;
}
