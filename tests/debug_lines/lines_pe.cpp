#include "lines.cpp"
extern "C" void __main() {}
