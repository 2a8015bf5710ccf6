static int table[8];

int share(int total, int people) {
  int each = total / people;
  return each;
}

__attribute__((noinline)) void stop() {
  __builtin_trap();
}

int main(int argc, char**) {
  for (int i = 0; i < argc; i++) table[i] = share(100, argc - i);
  if (argc > 5) stop();
  return table[0];
}
