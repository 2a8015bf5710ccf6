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

#include "platform/platform.h"

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

// ---- Watching a program for a crash (windows_debug.cpp) -------------------------
// The program is started with DEBUG_ONLY_THIS_PROCESS, and its debug events
// are served until it ends.

// Before the start: makes `crash` empty, and keeps the debug heap off, so
// that a program allocates as fast watched as unwatched.
void Prepare_Debugging(Crash_Stack& crash);

// Serves the debug events of the started program until it ends: every
// exception goes back to it to handle, and at one that no handler takes its
// stack is caught in `crash` before it dies of it.
void Debug_Until_End(const PROCESS_INFORMATION& process, Crash_Stack& crash);

// After the end: whether it crashed, keeping the stack only when it ended
// by the exception it was caught at.
void Finish_Debugging(Crash_Stack& crash, const Program_End& end);

// ---- Walking a stopped program's stack (windows_unwind.cpp) -----------------------

// Where a module's image lies in the program's memory.
struct Image_Range {
  unsigned long long base, size;
};

// The code address of each frame from `context` outwards, innermost first,
// at most `most` of them; `cut` says whether there were more. `images` are
// the program's modules, whose function tables unwind the frames.
std::vector<unsigned long long> Walk_Stack(HANDLE process, const std::vector<Image_Range>& images,
                                           const CONTEXT& context, size_t most, bool& cut);
