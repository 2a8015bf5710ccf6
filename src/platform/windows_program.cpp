// Programs started without the command interpreter, on Windows.
#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "windows_internal.h"

namespace {

BOOL WINAPI Ignore_Interrupt(DWORD event) {
  return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

}  // namespace

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

namespace {

// The command line that CreateProcessW needs for argv.
std::wstring Command_Line(const std::vector<std::string>& argv) {
  std::wstring line;
  for (const std::string& arg : argv) {
    if (!line.empty()) line += L' ';
    line += Quote_Argument(Widen(arg));
  }
  return line;
}

// Starts the program with the output handles given (nullptr: this process's
// own), waits for it with Ctrl+C left to it, and tells how it ended. The
// handles given are closed here once the program has its own: with ours
// gone, its end is their end. `during` runs here while it runs, given the
// process; `flags` are CreateProcessW's.
template <typename During>
Program_End Run_With(const std::vector<std::string>& argv, HANDLE out, HANDLE err, During during,
                     DWORD flags = 0) {
  Write_Held();
  std::wstring line = Command_Line(argv);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (out != nullptr) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
  }
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                                &startup, &process);
  DWORD error = GetLastError();
  if (out != nullptr) {
    CloseHandle(out);
    CloseHandle(err);
  }
  if (!started) return Program_End{false, false, static_cast<long long>(error)};
  // Ctrl+C goes to every process on the console: let the program have it.
  SetConsoleCtrlHandler(Ignore_Interrupt, TRUE);
  during(process);
  WaitForSingleObject(process.hProcess, INFINITE);
  SetConsoleCtrlHandler(Ignore_Interrupt, FALSE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return Program_End{true, false, static_cast<long long>(code)};
}

// ---- Relaying a program's output ---------------------------------------------

const size_t COPY_LIMIT = 8 << 20;  // bytes of each stream kept in the copy

// How many of the bytes make whole UTF-8 characters: a console shows a
// character cut in two as two marks of nonsense.
size_t Whole_Characters(const std::string& bytes) {
  size_t size = bytes.size();
  for (size_t back = 1; back <= 3 && back <= size; ++back) {
    unsigned char c = static_cast<unsigned char>(bytes[size - back]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return length > back ? size - back : size;
  }
  return size;
}

// Passes on what the pipe brings, untouched, until its writers have all gone;
// with no `to`, only keeps the copy.
void Relay_Pipe(HANDLE from, HANDLE to, std::string& copy) {
  std::string pending;  // the start of a character whose rest is yet to come
  char buffer[16384];
  DWORD got;
  while (ReadFile(from, buffer, static_cast<DWORD>(sizeof buffer), &got, nullptr) && got > 0) {
    if (copy.size() < COPY_LIMIT)
      copy.append(buffer, std::min<size_t>(got, COPY_LIMIT - copy.size()));
    if (to == nullptr) continue;
    pending.append(buffer, got);
    size_t whole = Whole_Characters(pending);
    DWORD done;
    WriteFile(to, pending.data(), static_cast<DWORD>(whole), &done, nullptr);
    pending.erase(0, whole);
  }
  DWORD done;
  if (!pending.empty())
    WriteFile(to, pending.data(), static_cast<DWORD>(pending.size()), &done, nullptr);
}

// Runs argv with its output relayed to `out_to` and `err_to` (nullptr: to
// nowhere), copies kept.
Program_End Relay_To(const std::vector<std::string>& argv, HANDLE out_to, HANDLE err_to,
                     std::string& out, std::string& err) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read_out = nullptr, write_out = nullptr, read_err = nullptr, write_err = nullptr;
  if (!CreatePipe(&read_out, &write_out, &inherit, 0) ||
      !CreatePipe(&read_err, &write_err, &inherit, 0)) {
    Program_End failed{false, false, static_cast<long long>(GetLastError())};
    for (HANDLE h : {read_out, write_out, read_err, write_err})
      if (h != nullptr) CloseHandle(h);
    return failed;
  }
  // Only the writing ends go to the program; ours stay here.
  SetHandleInformation(read_out, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(read_err, HANDLE_FLAG_INHERIT, 0);
  Program_End end = Run_With(argv, write_out, write_err, [&](const PROCESS_INFORMATION&) {
    std::thread errors(Relay_Pipe, read_err, err_to, std::ref(err));
    Relay_Pipe(read_out, out_to, out);
    errors.join();
  });
  CloseHandle(read_out);
  CloseHandle(read_err);
  return end;
}

}  // namespace

Program_End Relay_Program(const std::vector<std::string>& argv, std::string& out,
                          std::string& err) {
  return Relay_To(argv, GetStdHandle(STD_OUTPUT_HANDLE), GetStdHandle(STD_ERROR_HANDLE), out, err);
}

Program_End Run_Quietly(const std::vector<std::string>& argv, std::string& out) {
  std::string ignored;
  return Relay_To(argv, nullptr, nullptr, out, ignored);
}

Program_End Run_Program(const std::vector<std::string>& argv, Crash_Stack* crash) {
  if (crash == nullptr) return Run_With(argv, nullptr, nullptr, [](const PROCESS_INFORMATION&) {});
  Prepare_Debugging(*crash);
  Program_End end = Run_With(
      argv, nullptr, nullptr,
      [&](const PROCESS_INFORMATION& process) { Debug_Until_End(process, *crash); },
      DEBUG_ONLY_THIS_PROCESS);
  if (!end.started) {  // refused as a debuggee, perhaps: then it runs as before
    end = Run_With(argv, nullptr, nullptr, [](const PROCESS_INFORMATION&) {});
    crash->missing = "系统不允许启动器跟踪程序";
  }
  Finish_Debugging(*crash, end);
  return end;
}
