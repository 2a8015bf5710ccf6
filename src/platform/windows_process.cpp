// Starting programs on Windows, without the command interpreter: finding
// them, running them and waiting for them.
#include "platform/windows_internal.h"

namespace {
BOOL WINAPI Ignore_Interrupt(DWORD event) {
  return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

// The command line that CreateProcessW needs for argv.
std::wstring Command_Line(const std::vector<std::string>& argv) {
  std::wstring line;
  for (const std::string& arg : argv) {
    if (!line.empty()) line += L' ';
    line += Quote_Argument(Widen(arg));
  }
  return line;
}

// While it lives, Ctrl+C (which goes to every process on the console) is
// left to the program that runs.
struct Interrupts_Ignored {
  Interrupts_Ignored() { SetConsoleCtrlHandler(Ignore_Interrupt, TRUE); }
  Interrupts_Ignored(const Interrupts_Ignored&) = delete;
  Interrupts_Ignored& operator=(const Interrupts_Ignored&) = delete;
  ~Interrupts_Ignored() { SetConsoleCtrlHandler(Ignore_Interrupt, FALSE); }
};
}  // namespace

// Quotes only when needed; backslashes are literal except before a quote,
// where they are doubled, and the quote itself is escaped.
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

std::wstring Full_Path(const std::string& path) {
  std::wstring w = Widen(path);
  DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
  if (n == 0) return w;
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(w.c_str(), n, &full[0], nullptr);
  full.resize(n);
  return full;
}

Program_End End_Of(HANDLE process) {
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return Program_End{true, false, static_cast<long long>(code)};
}

Program_End Run_With(const std::vector<std::string>& argv, const std::string& folder, Handle* out,
                     Handle* errors, const std::function<void(const PROCESS_INFORMATION&)>& during,
                     std::string* err, DWORD flags) {
  Write_Held();
  std::vector<std::string> words = argv;
  // Started elsewhere, it is still the program named from here.
  if (!folder.empty() && !words.empty()) words[0] = Narrow(Full_Path(words[0]));
  std::wstring line = Command_Line(words), where = Widen(folder);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (out != nullptr) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out->h;
    startup.hStdError = errors->h;
  }
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, flags, nullptr,
                                folder.empty() ? nullptr : where.c_str(), &startup, &process);
  DWORD error = GetLastError();
  if (out != nullptr) {
    out->Close();
    errors->Close();
  }
  if (!started) return Not_Started(error, err);
  Handle program(process.hProcess), thread(process.hThread);
  {
    Interrupts_Ignored ignored;
    if (during) during(process);
    WaitForSingleObject(program.h, INFINITE);
  }
  return End_Of(program.h);
}

Program_End Run_Program(const std::vector<std::string>& argv, std::string* err) {
  return Run_With(argv, "", nullptr, nullptr, nullptr, err);
}

std::vector<std::string> Programs_In(const std::vector<std::string>& folders,
                                     const std::string& name) {
  std::vector<std::string> found;
  for (std::string folder : folders) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    std::string candidate = folder + "\\" + name + ".exe";
    if (Path_Status(candidate) == PATH_FILE) found.push_back(candidate);
  }
  return found;
}

// Windows ends programs with exit codes, not signals.
std::string Signal_Name(int) {
  return "";
}

bool Start_Background(const std::vector<std::string>& argv, std::string* err) {
  std::wstring line = Command_Line(argv);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // A console of its own that no one sees, so that the compiler it runs opens
  // no window either; out of our job, when we are in one that allows it, so
  // that the job's end does not end it.
  DWORD flags = CREATE_NO_WINDOW | CREATE_NEW_PROCESS_GROUP | IDLE_PRIORITY_CLASS;
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, flags | CREATE_BREAKAWAY_FROM_JOB,
                      nullptr, nullptr, &startup, &process) &&
      !CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                      &process))
    return Fail_Last(err, DOING_START);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}
