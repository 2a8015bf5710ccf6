int use(int* a, int n) { return a[n]; }

int grid(int n) {
  int small[10];
  int big[1 << 20];
  {
    long long bigger[1 << 20];
    bigger[n] = n;
    small[n] = static_cast<int>(bigger[n]);
  }
  big[n] = small[n];
  return use(big, n);
}

int varying(int n) {
  int fixed[300000];
  int vla[n];
  vla[0] = fixed[n] = n;
  return use(vla, 0);
}

int main() { return grid(1) + varying(2); }
