// The platform layer on Windows. The program's text is UTF-8; Windows gets
// every path, command and console character as UTF-16 through the wide calls,
// because a narrow call would read UTF-8 bytes in the ANSI code page (936 on
// Chinese Windows) and name the wrong file. No application manifest declares
// UTF-8 as the process code page: no narrow call is left for it to change.
// This file: the console and time; windows_files.cpp, windows_program.cpp and
// windows_command.cpp hold the rest.
#include "windows_internal.h"
// after windows.h
#include <mmsystem.h>
#include <stdlib.h>

#include "platform/platform.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

const char SEPARATOR = '\\';
const std::string TOOL_EXTENSION = "exe";

std::wstring Widen(const std::string& s) {
  if (s.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
  return s;
}

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

bool Is_Console(HANDLE h) {
  DWORD mode;
  return h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode) != 0;
}

namespace {

// ---- Console output ----------------------------------------------------------

HANDLE STDOUT = GetStdHandle(STD_OUTPUT_HANDLE);  // standard output
bool STDOUT_CONSOLE = Is_Console(STDOUT);         // it is a console, not a file or a pipe
std::string HELD;                                 // the first bytes of an unfinished character

// Bytes a UTF-8 character takes, judged by its first byte; 1 for a stray byte,
// which is then written (and shown as a replacement mark) on its own.
size_t Char_Length(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF4) return 4;
  if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  return 1;
}

void Write_Console(HANDLE console, const std::string& bytes) {
  std::wstring w = Widen(bytes);
  DWORD done;
  WriteConsoleW(console, w.data(), static_cast<DWORD>(w.size()), &done, nullptr);
}

// What a Windows program's text-mode output writes to a file or a pipe: a
// line feed becomes CR LF; every other byte goes out as it is.
void Write_Text_Mode(HANDLE file, const std::string& bytes) {
  std::string raw = Crlf(bytes);
  DWORD done;
  WriteFile(file, raw.data(), static_cast<DWORD>(raw.size()), &done, nullptr);
}

// ---- Timer resolution ----------------------------------------------------------

bool RAISED = false;  // timeBeginPeriod(1) is in force

void Lower_Resolution() {
  if (RAISED) timeEndPeriod(1);
  RAISED = false;
}

}  // namespace

// ---- Console -----------------------------------------------------------------

void Write_Held() {
  if (!HELD.empty()) Write_Console(STDOUT, HELD);
  HELD.clear();
}

void Set_UTF8_Console() {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
}

void Write_Out(const std::string& bytes) {
  if (!STDOUT_CONSOLE) {
    Write_Text_Mode(STDOUT, bytes);
    return;
  }
  // The core paces one byte at a time, but a console converts each write on
  // its own and would show a split character as replacement marks: hold the
  // first bytes of a character and write it whole when its last byte comes.
  std::string ready;
  for (char c : bytes) {
    unsigned char u = static_cast<unsigned char>(c);
    if (!HELD.empty() && (u & 0xC0) != 0x80) Write_Held();  // cut short: show what came
    HELD += c;
    if (HELD.size() >= Char_Length(static_cast<unsigned char>(HELD[0]))) {
      ready += HELD;
      HELD.clear();
    }
  }
  if (!ready.empty()) Write_Console(STDOUT, ready);
}

void Write_Err(const std::string& text) {
  Write_Held();  // the same console may show both
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (Is_Console(err))
    Write_Console(err, text);
  else
    Write_Text_Mode(err, text);
}

bool Read_Line(std::string& line) {
  static HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  static bool console = Is_Console(in);
  static std::wstring typed;  // console input after the line last returned
  line.clear();
  if (console) {
    // ReadConsoleA returns NUL bytes for non-ASCII input under code page
    // 65001 on many Windows 10 and 11 builds; the wide read does not.
    size_t end;
    while ((end = typed.find(L'\n')) == std::wstring::npos) {
      wchar_t buffer[1024];
      DWORD got = 0;
      if (!ReadConsoleW(in, buffer, 1024, &got, nullptr) || got == 0) return false;
      // Ctrl+Z at the start of a line is the console's end of input.
      if (typed.empty() && buffer[0] == 0x1A) return false;
      typed.append(buffer, got);
    }
    std::wstring w = typed.substr(0, end);
    typed.erase(0, end + 1);
    if (!w.empty() && w.back() == L'\r') w.pop_back();
    line = Narrow(w);
    return true;
  }
  // A byte at a time, so that nothing is read ahead of what the program uses:
  // the programs it starts (pause, the compiler, the user's own program)
  // share this input and read what follows.
  bool any = false;
  char c;
  DWORD got;
  while (ReadFile(in, &c, 1, &got, nullptr) && got == 1) {
    any = true;
    if (c == '\n') break;
    line += c;
  }
  if (!any) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void Quit(int status) {
  Write_Held();
  Lower_Resolution();
  ExitProcess(static_cast<UINT>(status));
}

// ---- Time ----------------------------------------------------------------------

long long Clock_Us() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  long long ticks = now.QuadPart;
  long long hz = frequency.QuadPart;
  return ticks / hz * 1000000 + ticks % hz * 1000000 / hz;
}

void Sleep_By_Ticks(long long us) {
  if (!RAISED && timeBeginPeriod(1) == TIMERR_NOERROR) {
    RAISED = true;
    atexit(Lower_Resolution);
  }
  // Whole milliseconds by Sleep, the rest by yielding until the clock says so.
  long long end = Clock_Us() + us;
  if (us >= 1000) Sleep(static_cast<DWORD>(us / 1000));
  while (Clock_Us() < end) Sleep(0);
}

void Sleep_Us(long long us) {
  if (us <= 0) return;
  // Sleep(1) lasts a whole timer tick, 15.6 ms by default, which would make
  // 1 ms pacing sixteen times too slow. A high-resolution waitable timer
  // (Windows 10 1803 and later) wakes on time without touching the system's
  // timer; elsewhere the timer resolution is raised to 1 ms for the life of
  // the process and lowered again at exit.
  static HANDLE timer = CreateWaitableTimerExW(
      nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (timer != nullptr) {
    LARGE_INTEGER due;
    due.QuadPart = -us * 10;  // relative, in 100 ns units
    if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) &&
        WaitForSingleObject(timer, INFINITE) == WAIT_OBJECT_0)
      return;
  }
  Sleep_By_Ticks(us);
}
