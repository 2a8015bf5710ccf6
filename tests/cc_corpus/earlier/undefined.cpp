int solve(int n);
int main() {
    return solve(3);
}
