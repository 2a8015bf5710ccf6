// Programs started without the command interpreter, on Windows.
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
