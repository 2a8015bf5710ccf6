// Watching a program for a crash on Windows: it runs as a debuggee, every
// exception goes back to it first to handle as it would, and only one that
// no handler takes is looked at: the thread's stack is walked by the
// modules' unwinding tables (.pdata) before the program dies of it.
#include <cstring>
#include <map>
#include "platform/windows_internal.h"

#include "platform/platform.h"

namespace {

const size_t MOST_FRAMES = 200000;  // deeper than any stack of the usual 2 MB or 8 MB

// A module of the program as it was loaded.
struct Loaded_Module {
  std::string path;
  unsigned long long size = 0;       // of its image in memory
  unsigned long long preferred = 0;  // the base its file asks for, as its debug information counts
};

// A breakpoint on a C runtime function that ends a program without an
// exception: abort (which a failed assert and an uncaught C++ exception
// call too) ends it with status 3.
struct Breakpoint {
  std::string function;
  unsigned char byte = 0;  // the code's own first byte, put back once hit
};

struct Debuggee {
  HANDLE process = nullptr;
  std::map<unsigned long long, Breakpoint> breakpoints;  // by address
  std::map<DWORD, HANDLE> threads;                       // by id
  std::map<unsigned long long, Loaded_Module> modules;   // by load base, the program's first
  unsigned long long program_base = 0;
  bool started = false;  // the loader's first breakpoint has passed
};

DWORD CAUGHT = 0;         // the code of the exception the stack was caught at; 0 for none
const DWORD ABORTED = 3;  // the status abort ends a program with

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

// The frame's module, in the order of Crash_Stack::modules, and its address there.
Crash_Frame Frame_At(const Debuggee& d, Crash_Stack& crash, unsigned long long pc) {
  for (const auto& [base, m] : d.modules) {
    if (pc < base || pc >= base + m.size || m.path.empty()) continue;
    int index = 0;
    while (static_cast<size_t>(index) < crash.modules.size() && crash.modules[index] != m.path)
      index++;
    if (static_cast<size_t>(index) == crash.modules.size()) crash.modules.push_back(m.path);
    return {index, pc - base + m.preferred};
  }
  return {-1, pc};
}

// Walks the stack of the thread that met the exception.
void Catch_Stack(Debuggee& d, const CONTEXT& context, DWORD code, Crash_Stack& crash) {
  std::vector<Image_Range> images;
  for (const auto& [base, m] : d.modules) images.push_back({base, m.size});
  crash.modules.assign(1, d.modules[d.program_base].path);
  crash.frames.clear();
  std::vector<unsigned long long> pcs =
      Walk_Stack(d.process, images, context, MOST_FRAMES, crash.cut);
  for (size_t i = 0; i < pcs.size(); i++)
    // An outer frame's return address lies after its call; the call is just before.
    crash.frames.push_back(Frame_At(d, crash, i == 0 ? pcs[i] : pcs[i] - 1));
  crash.overflow = code == EXCEPTION_STACK_OVERFLOW;
  crash.caught = !crash.frames.empty();
  CAUGHT = code;
}

// The address of a function that a DLL exports by `name`; 0 when none.
unsigned long long Export_Of(HANDLE process, unsigned long long base, const std::string& name) {
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS64 nt;
  IMAGE_EXPORT_DIRECTORY exports;
  if (!Read_At(process, base, dos) || !Read_At(process, base + dos.e_lfanew, nt)) return 0;
  const IMAGE_DATA_DIRECTORY& table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (table.VirtualAddress == 0 || !Read_At(process, base + table.VirtualAddress, exports))
    return 0;
  for (DWORD i = 0; i < exports.NumberOfNames; i++) {
    DWORD name_at = 0, code_at = 0;
    WORD ordinal = 0;
    char text[16] = {};
    if (!Read_At(process, base + exports.AddressOfNames + 4ull * i, name_at) ||
        !Read_At(process, base + name_at, text) || name != std::string(text, strnlen(text, 16)))
      continue;
    if (!Read_At(process, base + exports.AddressOfNameOrdinals + 2ull * i, ordinal) ||
        !Read_At(process, base + exports.AddressOfFunctions + 4ull * ordinal, code_at))
      return 0;
    bool forwarded = code_at >= table.VirtualAddress && code_at < table.VirtualAddress + table.Size;
    return forwarded ? 0 : base + code_at;
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

// One of ours was hit: the stack is caught there (at the first only), the
// code put back as it was, and the program goes on to end as it would.
void On_Breakpoint(Debuggee& d, DWORD thread_id, unsigned long long at, Crash_Stack& crash) {
  HANDLE thread = d.threads.count(thread_id) ? d.threads[thread_id] : nullptr;
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_FULL;
  const Breakpoint& b = d.breakpoints[at];
  SIZE_T done = 0;
  WriteProcessMemory(d.process, reinterpret_cast<void*>(at), &b.byte, 1, &done);
  FlushInstructionCache(d.process, reinterpret_cast<void*>(at), 1);
  if (thread == nullptr || !GetThreadContext(thread, &context)) return;
  context.Rip = at;  // back onto the instruction that the breakpoint stood in for
  SetThreadContext(thread, &context);
  if (CAUGHT != 0) return;
  Catch_Stack(d, context, ABORTED, crash);
  crash.through = b.function;
}

// What to tell the system about an exception: the program handles it itself.
DWORD On_Exception(Debuggee& d, const DEBUG_EVENT& e, Crash_Stack& crash) {
  const EXCEPTION_RECORD& record = e.u.Exception.ExceptionRecord;
  unsigned long long at = reinterpret_cast<unsigned long long>(record.ExceptionAddress);
  if (record.ExceptionCode == EXCEPTION_BREAKPOINT && d.breakpoints.count(at)) {
    On_Breakpoint(d, e.dwThreadId, at, crash);
    return DBG_CONTINUE;
  }
  if (record.ExceptionCode == EXCEPTION_BREAKPOINT && !d.started) {
    d.started = true;  // the loader's own, for the debugger
    return DBG_CONTINUE;
  }
  if (e.u.Exception.dwFirstChance || CAUGHT != 0) return DBG_EXCEPTION_NOT_HANDLED;
  HANDLE thread = d.threads.count(e.dwThreadId) ? d.threads[e.dwThreadId] : nullptr;
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_FULL;
  if (thread != nullptr && GetThreadContext(thread, &context))
    Catch_Stack(d, context, record.ExceptionCode, crash);
  else
    crash.missing = "无法读取程序出错时的状态（" + Error_Text(GetLastError()) + "）";
  return DBG_EXCEPTION_NOT_HANDLED;
}

// Before the start: makes `crash` empty, and keeps the debug heap off, so
// that a program allocates as fast watched as unwatched.
void Prepare_Debugging(Crash_Stack& crash) {
  crash = Crash_Stack();
  CAUGHT = 0;
  // Without it, a program started by a debugger gets the slow checking heap.
  SetEnvironmentVariableW(L"_NO_DEBUG_HEAP", L"1");
}

// Serves the debug events of the started program until it ends: every
// exception goes back to it to handle, and at one that no handler takes its
// stack is caught in `crash` before it dies of it.
void Debug_Until_End(const PROCESS_INFORMATION& process, Crash_Stack& crash) {
  Debuggee d;
  d.process = process.hProcess;
  DebugSetProcessKillOnExit(FALSE);  // should the launcher go, the program runs on as before
  for (;;) {
    DEBUG_EVENT e;
    if (!WaitForDebugEvent(&e, INFINITE)) return;
    DWORD answer = DBG_CONTINUE;
    switch (e.dwDebugEventCode) {
      case CREATE_PROCESS_DEBUG_EVENT: {
        const CREATE_PROCESS_DEBUG_INFO& info = e.u.CreateProcessInfo;
        d.program_base = reinterpret_cast<unsigned long long>(info.lpBaseOfImage);
        d.threads[e.dwThreadId] = info.hThread;
        Add_Module(d, d.program_base, info.hFile);
        if (info.hFile) CloseHandle(info.hFile);
        break;
      }
      case CREATE_THREAD_DEBUG_EVENT:
        d.threads[e.dwThreadId] = e.u.CreateThread.hThread;
        break;
      case EXIT_THREAD_DEBUG_EVENT:
        d.threads.erase(e.dwThreadId);
        break;
      case LOAD_DLL_DEBUG_EVENT:
        Add_Module(d, reinterpret_cast<unsigned long long>(e.u.LoadDll.lpBaseOfDll),
                   e.u.LoadDll.hFile);
        Set_Breakpoints(
            d, reinterpret_cast<unsigned long long>(e.u.LoadDll.lpBaseOfDll),
            d.modules[reinterpret_cast<unsigned long long>(e.u.LoadDll.lpBaseOfDll)].path);
        if (e.u.LoadDll.hFile) CloseHandle(e.u.LoadDll.hFile);
        break;
      case EXCEPTION_DEBUG_EVENT:
        answer = On_Exception(d, e, crash);
        break;
      default:
        break;
    }
    ContinueDebugEvent(e.dwProcessId, e.dwThreadId, answer);
    if (e.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) return;
  }
}

// After the end: whether it crashed, keeping the stack only when it ended
// by the exception it was caught at.
void Finish_Debugging(Crash_Stack& crash, const Program_End& end) {
  DWORD code = static_cast<DWORD>(end.code);
  bool ended_by_caught = end.started && CAUGHT != 0 && code == CAUGHT;
  // Ctrl+C and a DLL that cannot be found end a program, but are no crash of its own.
  crash.crashed = ended_by_caught || (end.started && code >= 0xC0000000 && code != 0xC000013A &&
                                      code != 0xC0000135 && code != 0xC0000139);
  if (ended_by_caught) return;
  crash.caught = false;
  crash.frames.clear();
  crash.modules.clear();
  if (crash.crashed && crash.missing.empty()) crash.missing = "没能在程序出错的那一刻停下它";
}

}  // namespace

Program_End Run_Watched(const std::vector<std::string>& argv, const std::string& folder,
                        Crash_Stack& crash, std::string* err) {
  Prepare_Debugging(crash);
  Program_End end = Run_With(
      argv, folder, nullptr, nullptr,
      [&](const PROCESS_INFORMATION& process) { Debug_Until_End(process, crash); }, err,
      DEBUG_ONLY_THIS_PROCESS);
  if (!end.started) {  // refused as a debuggee, perhaps: then it runs as before
    end = Run_With(argv, folder, nullptr, nullptr, nullptr, err);
    crash.missing = "系统不允许启动器跟踪程序";
  }
  Finish_Debugging(crash, end);
  return end;
}
