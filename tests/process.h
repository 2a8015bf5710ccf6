// Starting other programs from the tests and the benchmarks: the one way to
// do it. Every wait has a bound, and a program that outlives it is killed, so
// nothing here can hang a test.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

enum Errors {
  ERRORS_JOINED,  // its standard error joins its output
  ERRORS_APART,   // its standard error comes apart, from Child::err
  ERRORS_OURS,    // its standard error is ours (a sanitizer's report reaches the test's log)
};

struct Spawn_Options {
  std::string folder;                      // where it starts; "" for here
  std::map<std::string, std::string> env;  // set on top of ours; an empty value removes one
  bool terminal = false;                   // a new 120x40 pseudo-terminal for its input and output
  bool raw = false;  // that terminal passes bytes as they are (no echo, no line editing)
  Errors errors = ERRORS_JOINED;  // where its standard error goes
  bool detached = false;          // no pipes: /dev/null for its input and output, for programs
                                  // that leave a daemon behind which would hold a pipe open
  bool watch_input = false;       // keep a reader of its input pipe, to see what it left unread
  std::string input_file;         // its standard input comes from this file instead of a pipe
  std::string output_file;        // its standard output goes to this file instead of a pipe
};

struct Child {
  pid_t pid = -1;         // -1 when it could not be started
  int in = -1;            // what is written here reaches its standard input
  int out = -1;           // what it writes comes from here
  int err = -1;           // with ERRORS_APART: what it writes to standard error
  int input_reader = -1;  // with watch_input: our own reader of its input pipe
};

// Starts argv[0] (a path, or a name looked for on the PATH) with the rest as
// its arguments.
Child Spawn(const std::vector<std::string>& argv, const Spawn_Options& options = {});

// Writes all of `bytes` to its input; false when it no longer reads.
bool Write_Input(Child& child, const std::string& bytes);

// How many bytes written to its input it never read (with watch_input); call
// once it has ended. Closes the reader.
int Take_Unread_Input(Child& child);

// Closes its input, so that it sees the end.
void Close_Input(Child& child);

// Reads what it writes within `timeout_ms` and appends it to `out`: 1 when
// something came, 0 when nothing did, -1 when its output has ended.
int Read_Output(Child& child, std::string& out, int timeout_ms);

// Waits up to `timeout_ms` for its end, reading the rest of its output into
// `out` (and of its standard error into `err`, when apart). Gives its status
// (128+N after signal N), or -1 when it had to be killed. `peak_kb`, when
// given, gets its peak memory.
int Wait_End(Child& child, std::string& out, int timeout_ms, long* peak_kb = nullptr,
             std::string* err = nullptr);

struct Process_Run {
  int status;       // as Wait_End gives it
  std::string out;  // everything it wrote
  std::string err;  // with ERRORS_APART: everything it wrote to standard error
};

// Runs a program to its end with `input` as its whole standard input.
Process_Run Run_Process(const std::vector<std::string>& argv, const Spawn_Options& options = {},
                        const std::string& input = "", int timeout_ms = 60000);
