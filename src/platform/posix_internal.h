// What the POSIX layer's own files share with each other and with their tests.
// Not part of the platform interface: the core never includes this.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/failure.h"

// ---- Failures: posix_failure.cpp --------------------------------------------

// Fail_Code() with errno as it is now: call it straight after the call that
// failed, before anything else can change errno.
bool Fail_Errno(std::string* err, Doing doing = DOING_ANY);

// ---- Descriptors: posix_files.cpp, posix_console.cpp ------------------------

// A descriptor, closed when its owner goes: no exit path can leak one.
struct Fd {
  int fd = -1;
  Fd() = default;
  explicit Fd(int open) : fd(open) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Close(); }
  bool Close();  // now rather than when it goes; false when the close itself failed
};

// Makes a pipe whose ends are closed on exec; false, with errno set, when it cannot.
bool Open_Pipe(Fd& read, Fd& write);

// Writes all the bytes to the descriptor, resuming after a signal; false when
// the rest cannot be written.
bool Write_Fd(int fd, const char* bytes, size_t size);

// ---- Console input: posix_input.cpp -----------------------------------------

// Writes the prompt, waits for one key (one byte of input when standard
// input is not a terminal), then ends the line. Gives the key's first byte, or
// -1 at once at end of input.
int Pause_For_Key(const std::string& prompt = "请按任意键继续. . .");

// Puts the terminal back in the mode it had before a pause, if a pause changed it.
void Restore_Mode();

// ---- Starting programs: posix_process.cpp -----------------------------------

// The path of an executable regular file that `name` leads to, looked for as
// cmd finds a program: a name with a '/' as it stands, a bare name in the
// current folder first and then on the PATH. Empty when there is none.
std::string Find_Program(const std::string& name);

// Starts argv (argv[0] a path) in a session of its own, with its standard
// streams on /dev/null, and does not wait for it; no zombie is left behind.
bool Start_Detached(const std::vector<std::string>& argv, std::string* err = nullptr);

// What runs here while a child runs: it may reap the child itself, and then
// says so with `reaped` and leaves its status in `status`.
using While_Running = std::function<void(pid_t pid, int& status, bool& reaped)>;

// Runs argv[0] with the rest as its arguments in `folder` ("" for here) and
// waits for it. When given, `out` and `errors` become its standard output and
// error and are closed here once it has them, and `during` runs here while it
// runs.
Program_End Run_Child(const std::vector<std::string>& argv, const std::string& folder, Fd* out,
                      Fd* errors, const While_Running& during, std::string* err);

// The argv array that exec wants; it points into `argv`, which must outlive it.
std::vector<char*> Exec_Args(const std::vector<std::string>& argv);

// Runs in the child after fork: exec, or report why not through `report`.
[[noreturn]] void Exec_Or_Report(std::vector<char*>& args, int report);

// Waits for the exec report on `fd` and closes it: 0 when exec succeeded.
int Read_Report(int fd);

// Waits for the child, resuming after a signal; false when it cannot be waited for.
bool Wait_Child(pid_t pid, int& status);

// How a child ended, from its wait status: the one decoding, for every run.
Program_End End_Of(int status);

// The path as seen from anywhere: a relative one is taken from here.
std::string Absolute(const std::string& path);

// ---- The command interpreter: posix_command.cpp -----------------------------

// Splits a command line into words as a Windows command line is split: blanks
// separate words outside double quotes, a double quote groups and is dropped,
// nothing is escaped, and "" is an empty word.
std::vector<std::string> Split_Words(const std::string& text);

// ---- Sample runs: posix_sample*.cpp -------------------------------------------

// What the processes below this one use together, read from /proc.
struct Tree_Usage {
  long long cpu_us = 0;  // CPU time, user and system, with what they reaped
  long long bytes = 0;   // resident memory
  bool running = false;  // one of them is running or ready to run
  bool waiting = false;  // one of them sleeps or waits for something
  bool stopped = false;  // one is stopped, as by reading the terminal from the background
};

// The usage of every process below this one; `keeper` counts only for the
// processes it reaped, not for its own time or memory.
Tree_Usage Tree_Of(pid_t keeper);

// What processes that were reaped used, summed as a judge sums them.
struct Reaped_Usage {
  long long cpu_us = 0;   // CPU time, user and system
  long long peak_kb = 0;  // the largest peak of resident memory among them
};

// Ends every process below this one, however deep or detached: kills the
// children it has and reaps them, and goes on until none is left (this
// process is a subreaper, so the orphans of each generation it ends become
// its children). Adds what they used to `used`. True when `watched` was
// among them, with its wait status in `status`.
bool End_Descendants(Reaped_Usage& used, pid_t watched, int& status);

// Adds one reaped process's usage.
void Add_Usage(Reaped_Usage& used, const struct rusage& usage);

// Everything the keeper of a sample and the program need after fork.
struct Sample_Child {
  std::vector<char*> args;  // for exec; args[0] an absolute path
  const char* folder;       // where it runs, the only place it may write
  int in, out, errors;      // its standard input, output and error
  int exec_report;          // write end: the error number when exec fails
  int keeper_report;        // write end: the keeper's Keeper_Report
  pid_t launcher;           // the keeper's parent
  unsigned long cap;        // bytes any file it writes may hold
  unsigned long memory;     // bytes of memory, and of stack
  sigset_t program_mask;    // the signal mask it starts with
};

// What the keeper tells the launcher at its end.
struct Keeper_Report {
  int status;          // the program's wait status, when `reaped`
  int reaped;          // 1 once the program was reaped
  Reaped_Usage usage;  // of every process of the sample
};

// The keeper, in the child forked for a sample: a subreaper that starts the
// program, reaps everything it starts, ends them all when the program ends or
// when the launcher asks (SIGTERM) or dies, then reports and exits.
[[noreturn]] void Keep_Sample(const Sample_Child& child);
