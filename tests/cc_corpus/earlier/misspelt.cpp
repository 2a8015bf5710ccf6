int main() {
    int count = 0;
    return cuont;
}
