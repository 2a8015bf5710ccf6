// The platform layer on Windows. The program's text is UTF-8; Windows gets
// every path, command and console character as UTF-16 through the wide calls,
// because a narrow call would read UTF-8 bytes in the ANSI code page (936 on
// Chinese Windows) and name the wrong file. No application manifest declares
// UTF-8 as the process code page: no narrow call is left for it to change.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// after windows.h
#include <mmsystem.h>
#include <process.h>
#include <stdlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

const char SEPARATOR = '\\';
const std::string TOOL_EXTENSION = "exe";

namespace {

std::wstring Widen(const std::string& s) {
  if (s.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
  return s;
}

bool Is_Console(HANDLE h) {
  DWORD mode;
  return h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode) != 0;
}

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

void Write_Console(const std::string& bytes) {
  std::wstring w = Widen(bytes);
  DWORD done;
  WriteConsoleW(STDOUT, w.data(), static_cast<DWORD>(w.size()), &done, nullptr);
}

void Write_Held() {
  if (!HELD.empty()) Write_Console(HELD);
  HELD.clear();
}

// ---- Timer resolution ----------------------------------------------------------

bool RAISED = false;  // timeBeginPeriod(1) is in force

void Lower_Resolution() {
  if (RAISED) timeEndPeriod(1);
  RAISED = false;
}

// ---- Console control ---------------------------------------------------------

BOOL WINAPI Ignore_Interrupt(DWORD event) {
  return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

// One word of a command line as the C runtime's parser splits it back: quotes
// only when needed; backslashes are literal except before a quote, where they
// are doubled, and the quote itself is escaped.
std::wstring Quote_Argument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t slashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
    slashes = 0;
    out += c;
  }
  out.append(slashes * 2, L'\\');  // before the closing quote
  return out + L"\"";
}

}  // namespace

// ---- Console -----------------------------------------------------------------

void Set_UTF8_Console() {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
}

void Write_Out(const std::string& bytes) {
  if (!STDOUT_CONSOLE) {
    // What a Windows program's text-mode standard output writes to a file or
    // a pipe: a line feed becomes CR LF; every other byte goes out as it is.
    std::string raw;
    for (char c : bytes) {
      if (c == '\n') raw += '\r';
      raw += c;
    }
    DWORD done;
    WriteFile(STDOUT, raw.data(), static_cast<DWORD>(raw.size()), &done, nullptr);
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
  if (!ready.empty()) Write_Console(ready);
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

// ---- Command interpreter -----------------------------------------------------

int Command(const std::string& command) {
  Write_Held();
  return _wsystem(Widen(command).c_str());
}

Program_End Run_Program(const std::vector<std::string>& argv) {
  Write_Held();
  std::wstring line;
  for (const std::string& arg : argv) {
    if (!line.empty()) line += L' ';
    line += Quote_Argument(Widen(arg));
  }
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process))
    return Program_End{false, false, static_cast<long long>(GetLastError())};
  // Ctrl+C goes to every process on the console: let the program have it.
  SetConsoleCtrlHandler(Ignore_Interrupt, TRUE);
  WaitForSingleObject(process.hProcess, INFINITE);
  SetConsoleCtrlHandler(Ignore_Interrupt, FALSE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return Program_End{true, false, static_cast<long long>(code)};
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
  if (!RAISED && timeBeginPeriod(1) == TIMERR_NOERROR) {
    RAISED = true;
    atexit(Lower_Resolution);
  }
  // Whole milliseconds by Sleep, the rest by yielding until the clock says so.
  long long end = Clock_Us() + us;
  if (us >= 1000) Sleep(static_cast<DWORD>(us / 1000));
  while (Clock_Us() < end) Sleep(0);
}

// ---- File system ---------------------------------------------------------------

Path_Kind Path_Status(const std::string& path) {
  std::wstring w = Widen(path);
  if (w.empty()) return PATH_MISSING;
  DWORD attributes = GetFileAttributesW(w.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PATH_MISSING;
  // Opening follows a symbolic link to its target and tells a device (NUL,
  // CON, a pipe) from a file on disk.
  HANDLE h = CreateFileW(w.c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION info;
    bool disk = GetFileType(h) == FILE_TYPE_DISK;
    if (disk && GetFileInformationByHandle(h, &info)) attributes = info.dwFileAttributes;
    CloseHandle(h);
    if (!disk) return PATH_OTHER;
  } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    return PATH_MISSING;  // a link whose target is gone
  }
  // A file that is in use cannot always be opened; its attributes still tell.
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PATH_OTHER;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PATH_DIRECTORY : PATH_FILE;
}

bool Read_Text_File(const std::string& path, std::string& text) {
  // Read as bytes and turned into text here: CR LF becomes LF as in text mode,
  // without text mode's habit of ending the file at a Ctrl+Z byte.
  FILE* file = _wfopen(Widen(path).c_str(), L"rb");
  if (file == nullptr) return false;
  std::string bytes;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  fclose(file);
  text.clear();
  for (size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
  return true;
}

bool Replace_Text_File(const std::string& path, const std::string& text) {
  std::string disk;
  for (char c : text) {
    if (c == '\n') disk += '\r';
    disk += c;
  }
  std::wstring target = Widen(path);
  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int n = 0; n < 100 && h == INVALID_HANDLE_VALUE; ++n) {
    temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n);
    h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool written = WriteFile(h, disk.data(), static_cast<DWORD>(disk.size()), &done, nullptr) &&
                 done == disk.size() && FlushFileBuffers(h);
  written = CloseHandle(h) && written;
  // Windows refuses to replace a read-only file, and some of its calls refuse
  // hidden or system ones: clear those first, and put them back should the
  // replace fail.
  DWORD old = GetFileAttributesW(target.c_str());
  const DWORD blocking = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  bool cleared = written && old != INVALID_FILE_ATTRIBUTES && (old & blocking) &&
                 SetFileAttributesW(target.c_str(),
                                    (old & ~blocking) ? (old & ~blocking) : FILE_ATTRIBUTE_NORMAL);
  if (written &&
      MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  if (cleared) SetFileAttributesW(target.c_str(), old);
  DeleteFileW(temp.c_str());
  return false;
}

void Hide_File(const std::string& path) {
  SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
}

bool Create_Empty_File(const std::string& path) {
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}
