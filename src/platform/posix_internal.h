// What the POSIX layer's own files share with each other and with their tests.
// Not part of the platform interface: the core never includes this.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
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

struct Crash_Watch;

// Runs argv[0] with the rest as its arguments in `folder` ("" for here) and
// waits for it. When given, `out` and `errors` become its standard output and
// error and are closed here once it has them, `during` runs here while it
// runs, and `watch` watches it for a crash (posix_debug.cpp).
Program_End Run_Child(const std::vector<std::string>& argv, const std::string& folder, Fd* out,
                      Fd* errors, const While_Running& during, std::string* err,
                      Crash_Watch* watch = nullptr);

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

// Takes the signal as if no handler had been set, as a handler that has
// tidied up must, so that whoever started this program sees it end by it.
void Raise_Default(int sig);

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

// The usage of `keeper` and every process below it; the keeper counts only
// for the processes it reaped, not for its own time or memory.
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
  std::vector<char*> args;                      // for exec; args[0] an absolute path
  const char* folder;                           // where it runs, the only place it may write
  int in, out, errors;                          // its standard input, output and error
  int exec_report;                              // write end: the error number when exec fails
  int keeper_report;                            // write end: the keeper's Keeper_Report
  int crash_file;                               // where the keeper writes the program's stack at
                                                // a crash; -1: none
  pid_t launcher;                               // the keeper's parent
  unsigned long cap;                            // bytes any file it writes may hold
  unsigned long memory;                         // bytes of memory, and of stack
  sigset_t program_mask;                        // the signal mask it starts with
  const std::vector<std::string>* environment;  // "NAME=value" set for it
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

// ---- Walking a stopped program's stack: posix_unwind.cpp ---------------------

// One region of a process's memory, as /proc/PID/maps lists it.
struct Memory_Region {
  unsigned long long start = 0, end = 0;  // its addresses, end excluded
  unsigned long long offset = 0;          // where in its file it starts
  bool executable = false;
  std::string path;  // the file it maps; "" for none, "[stack]" and the like for the system's own
};

// The program or a library as it was loaded.
struct Code_Module {
  std::string path;
  unsigned long long base = 0;          // where its first byte lies; 0 when it is no ELF file
  unsigned long long bias = 0;          // what loading added to each of its own addresses
  unsigned long long frame_header = 0;  // where its .eh_frame_hdr lies; 0 when it has none
  bool indexed = false;                 // `entries` has been made
  std::vector<std::pair<unsigned long long, unsigned long long>> entries;  // code address and FDE
};

const int FRAME_REGISTERS = 17;  // rax ... r15 in DWARF's order, then the return address

struct Frame_Registers {
  unsigned long long value[FRAME_REGISTERS] = {};
  bool known[FRAME_REGISTERS] = {};
};

// ---- Call-frame information: posix_cfi.cpp -----------------------------------

enum Rule_Kind { RULE_SAME, RULE_UNDEFINED, RULE_AT_OFFSET, RULE_VALUE_OFFSET, RULE_REGISTER };

struct Rule {
  Rule_Kind kind = RULE_SAME;
  long long value = 0;  // the offset from the CFA, or the register
};

// How to find the caller's registers at one place in the code.
struct Frame_Rules {
  bool known = false;  // false: the module says nothing of this place
  int cfa_register = 7;
  long long cfa_offset = 0;
  Rule rules[FRAME_REGISTERS];
};

// A stopped process as the walk reads it, with what it has learnt so far.
struct Stopped_Process {
  pid_t pid = -1;
  std::vector<Memory_Region> regions;                // in the order of their addresses
  std::map<unsigned long long, std::string> loaded;  // regions read whole, by their start
  std::map<std::string, Code_Module> modules;        // by path
  std::unordered_map<unsigned long long, std::shared_ptr<Frame_Rules>> rules;  // by code address
};

// The rules at code address `pc`, from its module's .eh_frame, worked out
// once and then remembered (posix_cfi.cpp).
const Frame_Rules& Rules_At(Stopped_Process& p, unsigned long long pc);

// Reads `size` bytes of the stopped program's memory at `at`; false when they
// cannot be read.
bool Read_Memory(Stopped_Process& p, unsigned long long at, void* into, size_t size);

// The module that holds code address `pc`, found and described once;
// nullptr when no ELF module holds it.
Code_Module* Module_At(Stopped_Process& p, unsigned long long pc);

// The regions of a process's memory, in the order of their addresses.
std::vector<Memory_Region> Read_Regions(pid_t pid);

// The code address of each frame from `regs` outwards, innermost first, at
// most `most` of them; `cut` says whether there were more.
std::vector<unsigned long long> Walk_Stack(Stopped_Process& p, Frame_Registers regs, size_t most,
                                           bool& cut);

// The module that holds code address `pc`, and the address as the module's
// file counts it; false when no module holds it.
bool Code_Place(Stopped_Process& p, unsigned long long pc, std::string& path,
                unsigned long long& address);

// ---- Watching a program for a crash: posix_debug.cpp --------------------------
// The child waits at a gate before exec until the parent has begun to trace it.

struct Crash_Watch {
  Crash_Stack* stack = nullptr;  // where a crash's stack goes
  Fd gate, gate_open;            // the child passes once `gate_open` is closed
  pid_t pid = -1;
  bool traced = false;
  bool let_stop = false;  // a stop signal ends the watch and stops it untraced, for all to see
  int caught = 0;         // the signal at which the stack was caught
};

// Before fork: makes the gate. Without one the program runs unwatched.
void Open_Gate(Crash_Watch& watch);

// In the child, before exec: waits until the parent lets it pass.
void Pass_Gate(Crash_Watch& watch);

// In the parent, right after fork: traces the child when the system lets
// it, and lets it pass the gate.
void Watch_Child(Crash_Watch& watch, pid_t pid);

// In the parent, with a status that waitpid gave for the child: when it is a
// stop of the trace, deals with it (catches the stack at a crash signal, lets
// every signal through as it came) and says true, and the caller waits on.
bool Serve_Stop(Crash_Watch& watch, int status);

// After the end: keeps the stack only when the program ended by the signal
// it was caught at, and says whether the program crashed.
void Finish_Watch(Crash_Watch& watch, const Program_End& end);

// A stack as bytes, to pass from the keeper of a sample to the launcher, and
// back; false when the bytes are not a whole stack.
std::string Stack_Bytes(const Crash_Stack& stack);
bool Read_Stack_Bytes(const std::string& bytes, Crash_Stack& stack);
