// What a sample's Job Object tells of its processes, ending them, and the
// low-integrity token that keeps their writes in their own folder.
#include <aclapi.h>
#include <psapi.h>
#include <sddl.h>

#include <algorithm>

#include "platform/windows_internal.h"

namespace {

long long Us(const LARGE_INTEGER& hundreds_of_ns) {
  return hundreds_of_ns.QuadPart / 10;
}

long long Us(const FILETIME& hundreds_of_ns) {
  ULARGE_INTEGER value;
  value.LowPart = hundreds_of_ns.dwLowDateTime;
  value.HighPart = hundreds_of_ns.dwHighDateTime;
  return static_cast<long long>(value.QuadPart / 10);
}

unsigned long long Size_Of(HANDLE h) {
  LARGE_INTEGER size;
  return GetFileSizeEx(h, &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;
}

// Labels the folder low, inherited by what is made in it: a low-integrity
// process may then write there, and only there.
bool Label_Low(const std::string& folder) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"S:(ML;OICI;NW;;;LW)", SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    return false;
  PACL label = nullptr;
  BOOL present = FALSE, defaulted = FALSE;
  std::wstring path = Widen(folder);
  bool done = GetSecurityDescriptorSacl(descriptor, &present, &label, &defaulted) && present &&
              SetNamedSecurityInfoW(&path[0], SE_FILE_OBJECT, LABEL_SECURITY_INFORMATION, nullptr,
                                    nullptr, nullptr, label) == ERROR_SUCCESS;
  LocalFree(descriptor);
  return done;
}

}  // namespace

Job_Usage Usage_Of(HANDLE job, HANDLE process) {
  Job_Usage usage;
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION time = {};
  if (QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &time, sizeof time,
                                nullptr))
    usage.cpu_us = Us(time.TotalUserTime) + Us(time.TotalKernelTime);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  if (QueryInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits,
                                nullptr))
    usage.peak_bytes = static_cast<long long>(limits.PeakJobMemoryUsed);
  // The program's own figures, where a system keeps no job's (Wine keeps none).
  FILETIME created, ended, kernel, user;
  if (GetProcessTimes(process, &created, &ended, &kernel, &user))
    usage.cpu_us = std::max(usage.cpu_us, Us(kernel) + Us(user));
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, &memory, sizeof memory))
    usage.peak_bytes = std::max(usage.peak_bytes, static_cast<long long>(memory.PeakPagefileUsage));
  return usage;
}

bool Times_Known() {
  // Wine, which the Windows build is tested under, tells no other process's CPU time.
  static const bool known =
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
  return known;
}

bool Memory_Limit_Hit(HANDLE port) {
  bool hit = false;
  DWORD message = 0;
  ULONG_PTR key = 0;
  LPOVERLAPPED detail = nullptr;
  while (port != nullptr && GetQueuedCompletionStatus(port, &message, &key, &detail, 0))
    hit = hit || message == JOB_OBJECT_MSG_JOB_MEMORY_LIMIT ||
          message == JOB_OBJECT_MSG_PROCESS_MEMORY_LIMIT;
  return hit;
}

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

size_t Largest_Output(HANDLE out, const std::vector<std::string>& outputs) {
  size_t largest = static_cast<size_t>(Size_Of(out));
  for (const std::string& path : outputs) {
    // Through a handle: a folder's listing shows an open file's old size.
    Handle h(CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr));
    if (h.Valid()) largest = std::max(largest, static_cast<size_t>(Size_Of(h.h)));
  }
  return largest;
}

HANDLE Low_Token(const std::string& folder) {
  HANDLE own = nullptr, low = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(),
                        TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY | TOKEN_ADJUST_DEFAULT,
                        &own))
    return nullptr;
  Handle mine(own);
  if (!DuplicateTokenEx(own, 0, nullptr, SecurityImpersonation, TokenPrimary, &low)) return nullptr;
  Handle token(low);
  SID_IDENTIFIER_AUTHORITY authority = SECURITY_MANDATORY_LABEL_AUTHORITY;
  PSID sid = nullptr;
  if (!AllocateAndInitializeSid(&authority, 1, SECURITY_MANDATORY_LOW_RID, 0, 0, 0, 0, 0, 0, 0,
                                &sid))
    return nullptr;
  TOKEN_MANDATORY_LABEL label = {};
  label.Label.Attributes = SE_GROUP_INTEGRITY;
  label.Label.Sid = sid;
  bool lowered =
      SetTokenInformation(low, TokenIntegrityLevel, &label, sizeof label + GetLengthSid(sid));
  FreeSid(sid);
  if (!lowered || !Label_Low(folder)) return nullptr;
  token.h = nullptr;  // the caller owns it now
  return low;
}

std::string Read_From(HANDLE h, long long offset, size_t most) {
  std::string bytes;
  LARGE_INTEGER at;
  at.QuadPart = offset;
  if (!SetFilePointerEx(h, at, nullptr, FILE_BEGIN)) return bytes;
  // Its size at once: grown by doubling, a large output would be held twice over.
  unsigned long long size = Size_Of(h);
  if (size > static_cast<unsigned long long>(offset))
    bytes.reserve(static_cast<size_t>(std::min<unsigned long long>(most, size - offset)));
  char chunk[65536];
  DWORD got = 0;
  while (bytes.size() < most &&
         ReadFile(h, chunk, static_cast<DWORD>(std::min(sizeof chunk, most - bytes.size())), &got,
                  nullptr) &&
         got > 0)
    bytes.append(chunk, got);
  return bytes;
}

std::string Read_Tail(HANDLE h, size_t most) {
  unsigned long long size = Size_Of(h);
  return Read_From(h, size > most ? static_cast<long long>(size - most) : 0, most);
}
