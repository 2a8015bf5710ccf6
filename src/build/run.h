// The compile-and-run page.
#pragma once

// Asks for a C++ source file, compiles it when needed or wanted, and starts
// the program directly or through the launcher.
void Run();
