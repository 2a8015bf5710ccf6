// Running a program on one sample, on Windows: in a Job Object, so that the
// program and everything it started can be ended together.
#include <algorithm>

#include "platform/platform.h"
#include "platform/windows_internal.h"

namespace {

HANDLE STOP = nullptr;  // set by Ctrl+C or Ctrl+Break, kept for the next run when none runs

BOOL WINAPI On_Stop(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  SetEvent(STOP);
  return TRUE;
}

HANDLE Open_Inherited(const std::wstring& path, DWORD access, DWORD creation, DWORD flags) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     &inherit, creation, flags, nullptr);
}

unsigned long long Size_Of(HANDLE h) {
  LARGE_INTEGER size;
  return GetFileSizeEx(h, &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;
}

// Windows has no limit on the size of a file to set, so the launcher looks:
// true once standard output or an output file has grown past `cap`.
bool Past_Cap(HANDLE out, const std::vector<std::string>& outputs, size_t cap) {
  if (Size_Of(out) > cap) return true;
  for (const std::string& path : outputs) {
    // Through a handle: a folder's listing shows an open file's old size.
    HANDLE h = CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) continue;
    bool past = Size_Of(h) > cap;
    CloseHandle(h);
    if (past) return true;
  }
  return false;
}

// A job whose processes all end when it is closed, whatever ends the
// launcher, and in which a crash ends the program at once rather than
// waiting in an error dialog.
HANDLE Make_Job() {
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (job == nullptr) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags =
      JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  if (SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits))
    return job;
  CloseHandle(job);
  return nullptr;
}

// Ends every process of the job and waits, for a few seconds at most, until
// they are gone and their files are free.
void End_Job(HANDLE job) {
  TerminateJobObject(job, 1);
  for (int tries = 0; tries < 500; ++tries) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info;
    if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info,
                                   nullptr) ||
        info.ActiveProcesses == 0)
      return;
    Sleep(10);
  }
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

std::string Read_Back(HANDLE h, size_t most) {
  std::string bytes;
  LARGE_INTEGER zero = {};
  if (!SetFilePointerEx(h, zero, nullptr, FILE_BEGIN)) return bytes;
  char chunk[65536];
  DWORD got = 0;
  while (bytes.size() < most &&
         ReadFile(h, chunk, static_cast<DWORD>(std::min(sizeof chunk, most - bytes.size())), &got,
                  nullptr) &&
         got > 0)
    bytes.append(chunk, got);
  return bytes;
}

void Close(HANDLE h) {
  if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

}  // namespace

// Ctrl+C reaches the launcher's handler, and a closed console ends the job
// with the launcher: there is nothing to hold.
void Hold_Interruptions(bool) {}

Sample_Run Run_Sample(const std::vector<std::string>& argv, const std::string& folder,
                      const std::string& input, const std::vector<std::string>& outputs, size_t cap,
                      long long limit_us, Crash_Stack*) {
  Sample_Run run{"", {false, false, ERROR_FILE_NOT_FOUND}, false, false, 0, ""};
  if (argv.empty()) return run;
  std::wstring app = Full_Path(argv[0]);  // it starts in `folder`, not here
  std::wstring line = Quote_Argument(app);
  for (size_t i = 1; i < argv.size(); ++i) line += L" " + Quote_Argument(Widen(argv[i]));
  HANDLE in = Open_Inherited(Widen(input), GENERIC_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (in == INVALID_HANDLE_VALUE) {
    run.error = "无法打开 " + input + "（" + Error_Text(GetLastError()) + "）";
    return run;
  }
  // Standard output goes to a file beside the folder, deleted once closed.
  HANDLE out = Open_Inherited(Widen(folder + ".stdout"), GENERIC_READ | GENERIC_WRITE, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
  HANDLE null = Open_Inherited(L"NUL", GENERIC_WRITE, OPEN_EXISTING, 0);
  HANDLE job = Make_Job();
  if (STOP == nullptr && (STOP = CreateEventW(nullptr, TRUE, FALSE, nullptr)) != nullptr)
    SetConsoleCtrlHandler(On_Stop, TRUE);  // for good: Ctrl+C between runs stops the next one
  PROCESS_INFORMATION process = {};
  bool ready = out != INVALID_HANDLE_VALUE && null != INVALID_HANDLE_VALUE && job && STOP;
  if (!ready) run.error = "无法准备运行（" + Error_Text(GetLastError()) + "）";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = null;
  // Suspended until it is in the job, so that nothing it starts can escape.
  // No console of its own to show: it reads and writes files only.
  if (ready && !CreateProcessW(app.c_str(), &line[0], nullptr, nullptr, TRUE,
                               CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, Widen(folder).c_str(),
                               &startup, &process)) {
    run.end.code = GetLastError();
    ready = false;
  } else if (ready && !AssignProcessToJobObject(job, process.hProcess)) {
    run.error = "无法把程序放进作业对象（" + Error_Text(GetLastError()) + "）";
    TerminateProcess(process.hProcess, 1);
    ready = false;
  }
  if (ready && WaitForSingleObject(STOP, 0) == WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    run.end = {true, false, 0};
    run.interrupted = true;
    ready = false;
  }
  if (ready) {
    long long start = Clock_Us();
    ResumeThread(process.hThread);
    HANDLE waits[] = {process.hProcess, STOP};
    for (;;) {
      long long left = start + limit_us - Clock_Us();
      if (left <= 0) {
        run.timed_out = true;
        break;
      }
      DWORD slice = static_cast<DWORD>(std::min(left / 1000 + 1, 20LL));
      DWORD woke = WaitForMultipleObjects(2, waits, FALSE, slice);
      if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) break;
      if (woke == WAIT_OBJECT_0 + 1) {
        run.interrupted = true;
        break;
      }
      if (Past_Cap(out, outputs, cap)) break;
    }
    run.us = Clock_Us() - start;
    End_Job(job);  // also after a normal end: what it left running goes too
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    run.end = {true, false, static_cast<long long>(code)};
    run.output = Read_Back(out, cap + 1);
  }
  if (run.interrupted) ResetEvent(STOP);
  for (HANDLE h : {process.hThread, process.hProcess, in, out, null, job}) Close(h);
  return run;
}
