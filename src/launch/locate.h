// Where a crash happened in the user's own source: worked out from the
// frames of its stack and the source places their code addresses name, then
// said in one line or a few.
#pragma once

#include <string>
#include <vector>

#include "launch/symbols.h"

// One frame of a crashed program's stack, innermost first.
struct Frame_Places {
  bool in_program;      // its code is the program's own file's, not a library's
  Inline_Chain places;  // what its code address names; empty when nothing
};

enum Crash_Cause {
  CAUSE_FAULT,      // the user's own line did it
  CAUSE_LIBRARY,    // it happened in a library function that line called
  CAUSE_EXCEPTION,  // an exception no one caught
  CAUSE_ASSERT,     // a failed assert
  CAUSE_ABORT,      // abort
  CAUSE_TERMINATE,  // std::terminate with no exception (a thread never joined, a pure virtual call)
  CAUSE_HEAP,       // the C library found its heap damaged (a double free, an overrun)
  CAUSE_SMASHED,    // a function's stack was overwritten: found on its return
  CAUSE_RAISED,     // the program sent itself the signal (raise, kill)
  CAUSE_TRAP,       // a trap the optimiser put where the code must fail (ud2)
  CAUSE_BAD_CALL,   // a call to where there is no code (a null function pointer)
};

// One function on the way from the crash out to main.
struct Call_Step {
  std::string function;  // short: "dfs", "std::vector::at"
  std::string file;      // its source file's path
  int line;              // the line it was at: the crash's own, or the call's
  long long repeat;      // how many times it came in a row, with the `block` - 1 steps after it
  int block;             // 1, or how many steps of mutual recursion repeat together
};

struct Crash_Location {
  bool known = false;            // false: `why` says why it cannot be told
  std::string why;               // a phrase, without a full stop
  bool no_lines = false;         // then: the program's frames had no line to give
  std::vector<Call_Step> steps;  // the crash's own line first, then its callers out to main
  Crash_Cause cause = CAUSE_FAULT;
  std::string callee;         // the library function that line called, when its name is sure
  bool overflow = false;      // the program ran out of stack
  std::string recursive;      // then: the function whose recursion did it, "" for none
  long long depth = 0;        // how many calls of it were on the stack
  bool deeper = false;        // the stack was deeper than was walked: at least `depth`
  std::string array;          // without recursion: the large local array that took the stack
  long long array_bytes = 0;  // its size; -1 when only known at run time
};

// The short form of a function's name: without its parameters, template
// arguments and ABI tags ("std::vector<int>::at(unsigned long)" gives
// "std::vector::at").
std::string Short_Function(const std::string& name);

// The crash's place in the user's source: the first frame whose file lies in
// the program's folder or in the folder of main's file. `cut`, `overflow`
// and `through` are as Crash_Stack has them.
Crash_Location Locate_Crash(const std::vector<Frame_Places>& frames, const std::string& program,
                            bool cut, bool overflow, const std::string& through = "");
