// A checker with a mistake: no sample may be judged by comparison instead.
int main(int argc, char* argv[]) {
  return argc < 4 ? 3 : 0
}
