// What the Windows layer's own files share. Not part of the platform
// interface: the core never includes this.
#pragma once

#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  // Windows 7 and later
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/failure.h"

// ---- Failures: windows_failure.cpp ------------------------------------------

// Fail_Code() with GetLastError() as it is now: call it straight after the
// call that failed, before any other call can change it.
bool Fail_Last(std::string* err, Doing doing = DOING_ANY);

// ---- Handles: windows_files.cpp ---------------------------------------------

// A handle, closed when its owner goes: no exit path can leak one.
struct Handle {
  HANDLE h = nullptr;
  Handle() = default;
  explicit Handle(HANDLE open) : h(open) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  bool Valid() const { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  void Close();  // now, rather than when it goes
};

// A folder's listing from FindFirstFileW, closed when its owner goes.
struct Finding {
  WIN32_FIND_DATAW entry;  // the entry found last
  HANDLE h;
  explicit Finding(const std::wstring& pattern) : h(FindFirstFileW(pattern.c_str(), &entry)) {}
  Finding(const Finding&) = delete;
  Finding& operator=(const Finding&) = delete;
  ~Finding() {
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
  }
  bool Found() const { return h != INVALID_HANDLE_VALUE; }
  bool Next() { return FindNextFileW(h, &entry) != 0; }
};

// ---- Text: windows_text.cpp -------------------------------------------------

// UTF-8 to UTF-16 and back, for every path, command and console text.
std::wstring Widen(const std::string& s);
std::string Narrow(const std::wstring& w);

// The text with each LF as CR LF: what text mode writes on Windows.
std::string Crlf(const std::string& text);

// ---- The console: windows_console.cpp ---------------------------------------

// True when the handle is a console, not a file, a pipe or nothing.
bool Is_Console(HANDLE h);

// Writes the bytes of an unfinished character that standard output still
// holds, before anything else may write to the console.
void Write_Held();

// ---- Time: windows_time.cpp -------------------------------------------------

// Sleeps without a high-resolution timer, as on Windows before 10 1803: the
// timer resolution raised to 1 ms (until exit), then Sleep and the clock.
void Sleep_By_Ticks(long long us);

// Puts the timer resolution back, if a sleep raised it.
void Lower_Resolution();

// ---- The environment: windows_environment.cpp -----------------------------

// Our environment with `extra` ("NAME=value") set on top, as CreateProcess
// takes it; "" when there is nothing to set, for ours as it is.
std::wstring Environment_Block(const std::vector<std::string>& extra);

// ---- Starting programs: windows_process.cpp ---------------------------------

// One word of a command line as the C runtime's parser splits it back.
std::wstring Quote_Argument(const std::wstring& arg);

// Starts the program in `folder` ("" for here) with the output handles given
// (nullptr: this process's own), waits for it with Ctrl+C left to it, and
// tells how it ended. The handles given are closed here once the program has
// its own: with ours gone, its end is their end. `during` runs here while it
// runs, given the process; `flags` are CreateProcessW's.
Program_End Run_With(const std::vector<std::string>& argv, const std::string& folder, Handle* out,
                     Handle* errors, const std::function<void(const PROCESS_INFORMATION&)>& during,
                     std::string* err, DWORD flags = 0);

// How a process that has ended ended: its whole 32-bit exit code. The one
// decoding, for every run.
Program_End End_Of(HANDLE process);

// The path made whole from the current folder, as UTF-16.
std::wstring Full_Path(const std::string& path);

// ---- Sample runs: windows_sample_job.cpp ---------------------------------------

// What the processes of a job have used together.
struct Job_Usage {
  long long cpu_us = 0;      // CPU time, user and kernel, of every process it has held
  long long peak_bytes = 0;  // the most memory they had committed at once
};

// The job's figures, or the program's own where they are larger: a system
// may keep none for a job.
Job_Usage Usage_Of(HANDLE job, HANDLE process);

// False where the system tells no CPU time of other processes: the clock
// then stands in for it, and a waiting program cannot be told apart.
bool Times_Known();

// True when the job has told `port` (which may be nullptr) that its
// processes asked for more memory than it allows; takes its messages.
bool Memory_Limit_Hit(HANDLE port);

// Ends every process of the job and waits, for a few seconds at most, until
// they are gone and their files are free.
void End_Job(HANDLE job);

// Windows has no limit on the size of a file to set, so the launcher looks:
// the size of standard output or of the largest output file, whichever is larger.
size_t Largest_Output(HANDLE out, const std::vector<std::string>& outputs);

// A token of this user at low integrity, with the folder labelled so that a
// process holding it may write there and nowhere else; nullptr (and nothing
// labelled) where the system does not allow that.
HANDLE Low_Token(const std::string& folder);

// At most `most` bytes of the open file from `offset` on, and its last `most` bytes.
std::string Read_From(HANDLE h, long long offset, size_t most);
std::string Read_Tail(HANDLE h, size_t most);

// ---- Walking a stopped program's stack: windows_unwind.cpp -------------------

// Where a module's image lies in the program's memory.
struct Image_Range {
  unsigned long long base, size;
};

// The code address of each frame from `context` outwards, innermost first,
// at most `most` of them; `cut` says whether there were more. `images` are
// the program's modules, whose function tables unwind the frames.
std::vector<unsigned long long> Walk_Stack(HANDLE process, const std::vector<Image_Range>& images,
                                           const CONTEXT& context, size_t most, bool& cut);

// ---- Watching programs for a crash: windows_debuggee.cpp, windows_debug.cpp --

// A module of a watched program as it was loaded.
struct Loaded_Module {
  std::string path;
  unsigned long long size = 0;       // of its image in memory
  unsigned long long preferred = 0;  // the base its file asks for, as its debug information counts
};

// A breakpoint on a C runtime function that ends a program without an
// exception: abort (which a failed assert and an uncaught C++ exception
// call too) ends it with status 3.
struct Breakpoint {
  std::string function;
  unsigned char byte = 0;  // the code's own first byte, put back once hit
};

// A program started as a debuggee (DEBUG_ONLY_THIS_PROCESS). Only the thread
// that started it hears its debug events, and the program waits at each
// until that thread answers it.
struct Debuggee {
  DWORD id = 0;                  // its process id
  HANDLE process = nullptr;      // owned by whoever started it; none until it is started
  Crash_Stack* crash = nullptr;  // where its stack goes
  std::map<unsigned long long, Breakpoint> breakpoints;  // by address
  std::map<DWORD, HANDLE> threads;                       // by id
  std::map<unsigned long long, Loaded_Module> modules;   // by load base, the program's first
  unsigned long long program_base = 0;
  bool started = false;  // the loader's first breakpoint has passed
  DWORD caught = 0;      // the code of the exception the stack was caught at; 0 for none
  bool exited = false;   // its end has been heard and answered, or it was let go
};

// Before the start: `d` new, for a stack to go to `crash`, made empty; and
// the debug heap kept off, so that a program allocates as fast watched as
// unwatched (the environment of programs started after this has it).
void Prepare_Debuggee(Debuggee& d, Crash_Stack& crash);

// The answer to an exception of `d`'s program for ContinueDebugEvent: every
// exception goes back to the program to handle, and at one that no handler
// takes its stack is caught in `d.crash` before it dies of it.
DWORD Answer_Exception(Debuggee& d, const DEBUG_EVENT& e);

// After the end: whether it crashed, keeping the stack only when it ended by
// the exception it was caught at; `end.code` made that exception's where the
// system's status hides it (Wine's 0 after a stack overflow).
void Finish_Debuggee(const Debuggee& d, Program_End& end);

// Waits at most `ms` for a debug event of this thread's debuggees, and
// answers it, `watched` taking theirs; false when none came. Once a
// program's end is answered, its process is signalled.
bool Serve_Debug_Event(const std::vector<Debuggee*>& watched, DWORD ms);

// A debuggee ended by the launcher is no longer watched: left to itself, so
// that nothing waits for an answer from here; or, should the system refuse
// that, ended and its end answered (`watched`, with `d` among them, taking
// the events meanwhile). Nothing for one whose end was heard, or never started.
void Let_Go(Debuggee& d, const std::vector<Debuggee*>& watched);
