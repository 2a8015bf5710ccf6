// The local arrays of a program's functions, as its debug information
// (DWARF .debug_info) declares them: where a stack that ran out at a
// function's entry was spent.
#pragma once

#include <string>

struct Local_Array {
  std::string name;  // as declared, such as "dp"
  int line;          // the line of its declaration
  long long bytes;   // its size; -1 when only known at run time (a variable-length array)
};

// The largest local array of the function whose code holds `address` (as
// debug information counts addresses) in the executable file; false when the
// function has none, or the debug information cannot be read.
bool Largest_Local_Array(const std::string& executable, unsigned long long address,
                         Local_Array& array);
