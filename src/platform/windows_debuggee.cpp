// A program run as a debuggee: its modules and the breakpoints set in them
// as it loads them, and the answer to each of its debug events. One thread
// may serve several debuggees at once, each with a stack of its own.
#include <cstring>

#include "platform/windows_internal.h"

namespace {

std::string Path_Of(HANDLE file) {
  wchar_t path[4096];
  DWORD n = file ? GetFinalPathNameByHandleW(file, path, 4096, FILE_NAME_NORMALIZED) : 0;
  if (n == 0 || n >= 4096) return "";
  std::wstring whole(path, n);
  if (whole.compare(0, 8, L"\\\\?\\UNC\\") == 0) return Narrow(L"\\\\" + whole.substr(8));
  if (whole.compare(0, 4, L"\\\\?\\") == 0) return Narrow(whole.substr(4));
  return Narrow(whole);
}

template <typename T>
bool Read_At(HANDLE process, unsigned long long at, T& value) {
  SIZE_T got = 0;
  return ReadProcessMemory(process, reinterpret_cast<const void*>(at), &value, sizeof value,
                           &got) &&
         got == sizeof value;
}

// The module's size in memory, from its headers there, and the base its file
// asks for, from the file (the loader writes the real base into the copy in memory).
void Add_Module(Debuggee& d, unsigned long long base, HANDLE file) {
  Loaded_Module& m = d.modules[base];
  m.path = Path_Of(file);
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS64 nt;
  if (Read_At(d.process, base, dos) && Read_At(d.process, base + dos.e_lfanew, nt))
    m.size = nt.OptionalHeader.SizeOfImage;
  m.preferred = base;
  LARGE_INTEGER at;
  DWORD got = 0;
  at.QuadPart = 0;
  if (file && SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
      ReadFile(file, &dos, sizeof dos, &got, nullptr) && got == sizeof dos) {
    at.QuadPart = dos.e_lfanew;
    if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
        ReadFile(file, &nt, sizeof nt, &got, nullptr) && got == sizeof nt &&
        nt.OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC)
      m.preferred = nt.OptionalHeader.ImageBase;
  }
}

// The address of a function that a DLL exports by `name`; 0 when none. The
// export table is read in one go: a read of another process is slow on some
// systems, and the C runtime exports more than a thousand names.
unsigned long long Export_Of(HANDLE process, unsigned long long base, const std::string& name) {
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS64 nt;
  if (!Read_At(process, base, dos) || !Read_At(process, base + dos.e_lfanew, nt)) return 0;
  const IMAGE_DATA_DIRECTORY& table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  std::string bytes(table.Size, '\0');
  SIZE_T got = 0;
  if (table.VirtualAddress == 0 || table.Size < sizeof(IMAGE_EXPORT_DIRECTORY) ||
      !ReadProcessMemory(process, reinterpret_cast<const void*>(base + table.VirtualAddress),
                         &bytes[0], bytes.size(), &got) ||
      got != bytes.size())
    return 0;
  // What lies at an address of the image, when it lies within the table.
  auto at = [&](DWORD rva, size_t size) -> const char* {
    return rva >= table.VirtualAddress && rva - table.VirtualAddress + size <= bytes.size()
               ? &bytes[rva - table.VirtualAddress]
               : nullptr;
  };
  IMAGE_EXPORT_DIRECTORY exports;
  std::memcpy(&exports, bytes.data(), sizeof exports);
  for (DWORD i = 0; i < exports.NumberOfNames; i++) {
    DWORD name_at = 0, code_at = 0;
    WORD ordinal = 0;
    const char* names = at(exports.AddressOfNames + 4 * i, 4);
    if (names == nullptr) return 0;
    std::memcpy(&name_at, names, 4);
    const char* text = at(name_at, name.size() + 1);
    if (text == nullptr || std::memcmp(text, name.c_str(), name.size() + 1) != 0) continue;
    const char* ordinals = at(exports.AddressOfNameOrdinals + 2 * i, 2);
    if (ordinals == nullptr) return 0;
    std::memcpy(&ordinal, ordinals, 2);
    const char* codes = at(exports.AddressOfFunctions + 4 * ordinal, 4);
    if (codes == nullptr) return 0;
    std::memcpy(&code_at, codes, 4);
    return at(code_at, 1) != nullptr ? 0 : base + code_at;  // one within is forwarded elsewhere
  }
  return 0;
}

// In the C runtime's DLL, breakpoints on the functions that end a program
// without an exception.
void Set_Breakpoints(Debuggee& d, unsigned long long base, const std::string& path) {
  std::string name = path.substr(path.find_last_of("\\/") + 1);
  for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  if (name != "msvcrt.dll" && name != "ucrtbase.dll") return;
  for (const char* function : {"abort", "_assert", "_wassert"}) {
    unsigned long long at = Export_Of(d.process, base, function);
    Breakpoint b{function, 0};
    const unsigned char trap = 0xCC;
    SIZE_T done = 0;
    if (at == 0 || !Read_At(d.process, at, b.byte) ||
        !WriteProcessMemory(d.process, reinterpret_cast<void*>(at), &trap, 1, &done))
      continue;
    FlushInstructionCache(d.process, reinterpret_cast<void*>(at), 1);
    d.breakpoints[at] = b;
  }
}

// The answer to one debug event for ContinueDebugEvent.
DWORD Take_Debug_Event(Debuggee& d, const DEBUG_EVENT& e) {
  switch (e.dwDebugEventCode) {
    case CREATE_PROCESS_DEBUG_EVENT: {
      const CREATE_PROCESS_DEBUG_INFO& info = e.u.CreateProcessInfo;
      d.program_base = reinterpret_cast<unsigned long long>(info.lpBaseOfImage);
      d.threads[e.dwThreadId] = info.hThread;
      Add_Module(d, d.program_base, info.hFile);
      if (info.hFile) CloseHandle(info.hFile);
      return DBG_CONTINUE;
    }
    case CREATE_THREAD_DEBUG_EVENT:
      d.threads[e.dwThreadId] = e.u.CreateThread.hThread;
      return DBG_CONTINUE;
    case EXIT_THREAD_DEBUG_EVENT:
      d.threads.erase(e.dwThreadId);
      return DBG_CONTINUE;
    case LOAD_DLL_DEBUG_EVENT: {
      unsigned long long base = reinterpret_cast<unsigned long long>(e.u.LoadDll.lpBaseOfDll);
      Add_Module(d, base, e.u.LoadDll.hFile);
      Set_Breakpoints(d, base, d.modules[base].path);
      if (e.u.LoadDll.hFile) CloseHandle(e.u.LoadDll.hFile);
      return DBG_CONTINUE;
    }
    case EXCEPTION_DEBUG_EVENT:
      return Answer_Exception(d, e);
    default:
      return DBG_CONTINUE;
  }
}

}  // namespace

void Prepare_Debuggee(Debuggee& d, Crash_Stack& crash) {
  d = Debuggee();
  d.crash = &crash;
  crash = Crash_Stack();
  // Without it, a program started by a debugger gets the slow checking heap.
  SetEnvironmentVariableW(L"_NO_DEBUG_HEAP", L"1");
}

bool Serve_Debug_Event(const std::vector<Debuggee*>& watched, DWORD ms) {
  DEBUG_EVENT e;
  if (!WaitForDebugEvent(&e, ms)) return false;
  Debuggee* d = nullptr;
  for (Debuggee* each : watched)
    if (each->id == e.dwProcessId) d = each;
  // One not watched (none should be) handles its exceptions as it would.
  DWORD answer = d != nullptr                                  ? Take_Debug_Event(*d, e)
                 : e.dwDebugEventCode == EXCEPTION_DEBUG_EVENT ? DBG_EXCEPTION_NOT_HANDLED
                                                               : DBG_CONTINUE;
  ContinueDebugEvent(e.dwProcessId, e.dwThreadId, answer);
  if (d != nullptr && e.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) d->exited = true;
  return true;
}

void Let_Go(Debuggee& d, const std::vector<Debuggee*>& watched) {
  if (d.exited || d.process == nullptr) return;
  if (DebugActiveProcessStop(d.id)) {
    d.exited = true;
    return;
  }
  // Kept: it is ended, and its end answered, a few seconds at most.
  TerminateProcess(d.process, 1);
  for (int tries = 0; tries < 50 && !d.exited; tries++) Serve_Debug_Event(watched, 100);
}
