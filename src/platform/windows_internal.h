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

#include <string>
#include <vector>

// UTF-8 to UTF-16 and back, for every path, command and console text.
std::wstring Widen(const std::string& s);
std::string Narrow(const std::wstring& w);

// The text with each LF as CR LF: what text mode writes on Windows.
std::string Crlf(const std::string& text);

// True when the handle is a console, not a file, a pipe or nothing.
bool Is_Console(HANDLE h);

// Writes the bytes of an unfinished character that standard output still
// holds, before anything else may write to the console.
void Write_Held();

// Sleeps without a high-resolution timer, as on Windows before 10 1803: the
// timer resolution raised to 1 ms (until exit), then Sleep and the clock.
void Sleep_By_Ticks(long long us);

// One word of a command line as the C runtime's parser splits it back.
std::wstring Quote_Argument(const std::wstring& arg);

// A system error code as a short Chinese phrase: "没有权限", "系统错误 5".
std::string Error_Text(DWORD code);

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

// ---- Starting programs: windows_program.cpp, windows_sample.cpp --------------

// How a process that has ended ended: its whole 32-bit exit code.
struct Program_End;
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
// true once standard output or an output file has grown past `cap`.
bool Past_Cap(HANDLE out, const std::vector<std::string>& outputs, size_t cap);

// A token of this user at low integrity, with the folder labelled so that a
// process holding it may write there and nowhere else; nullptr (and nothing
// labelled) where the system does not allow that.
HANDLE Low_Token(const std::string& folder);

// At most `most` bytes of the open file from `offset` on, and its last `most` bytes.
std::string Read_From(HANDLE h, long long offset, size_t most);
std::string Read_Tail(HANDLE h, size_t most);
