#include "build/run.h"

// The page arrives with the compile-and-run work.
void Run() {}
