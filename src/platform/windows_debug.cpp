// Watching a program for a crash on Windows: it runs as a debuggee, every
// exception goes back to it first to handle as it would, and only one that
// no handler takes is looked at: the thread's stack is walked by the
// modules' unwinding tables (.pdata) before the program dies of it.
#include "platform/windows_internal.h"
// dbghelp.h needs windows.h first.
#include <dbghelp.h>

#include <map>

#include "platform/platform.h"

namespace {

const size_t MOST_FRAMES = 200000;  // deeper than any stack of the usual 2 MB or 8 MB

// A module of the program as it was loaded.
struct Loaded_Module {
  std::string path;
  unsigned long long size = 0;       // of its image in memory
  unsigned long long preferred = 0;  // the base its file asks for, as its debug information counts
};

struct Debuggee {
  HANDLE process = nullptr;
  std::map<DWORD, HANDLE> threads;                      // by id
  std::map<unsigned long long, Loaded_Module> modules;  // by load base, the program's first
  unsigned long long program_base = 0;
  bool started = false;  // the loader's first breakpoint has passed
};

DWORD CAUGHT = 0;  // the code of the exception the stack was caught at; 0 for none

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
void Catch_Stack(Debuggee& d, DWORD thread_id, DWORD code, Crash_Stack& crash) {
  HANDLE thread = d.threads.count(thread_id) ? d.threads[thread_id] : nullptr;
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_FULL;
  if (thread == nullptr || !GetThreadContext(thread, &context)) {
    crash.missing = "无法读取程序出错时的状态（" + Error_Text(GetLastError()) + "）";
    return;
  }
  SymSetOptions(SYMOPT_DEFERRED_LOADS | SYMOPT_FAIL_CRITICAL_ERRORS | SYMOPT_NO_PROMPTS);
  SymInitializeW(d.process, nullptr, FALSE);
  for (const auto& [base, m] : d.modules)
    SymLoadModuleExW(d.process, nullptr, Widen(m.path).c_str(), nullptr, base,
                     static_cast<DWORD>(m.size), nullptr, 0);
  STACKFRAME64 frame = {};
  frame.AddrPC.Offset = context.Rip;
  frame.AddrStack.Offset = context.Rsp;
  frame.AddrFrame.Offset = context.Rbp;
  frame.AddrPC.Mode = frame.AddrStack.Mode = frame.AddrFrame.Mode = AddrModeFlat;
  crash.modules.assign(1, d.modules[d.program_base].path);
  crash.frames.clear();
  while (crash.frames.size() < MOST_FRAMES &&
         StackWalk64(IMAGE_FILE_MACHINE_AMD64, d.process, thread, &frame, &context, nullptr,
                     SymFunctionTableAccess64, SymGetModuleBase64, nullptr) &&
         frame.AddrPC.Offset != 0) {
    // An outer frame's return address lies after its call; the call is just before.
    unsigned long long pc = frame.AddrPC.Offset - (crash.frames.empty() ? 0 : 1);
    crash.frames.push_back(Frame_At(d, crash, pc));
  }
  SymCleanup(d.process);
  crash.cut = crash.frames.size() == MOST_FRAMES;
  crash.overflow = code == EXCEPTION_STACK_OVERFLOW;
  crash.caught = !crash.frames.empty();
  CAUGHT = code;
}

// What to tell the system about an exception: the program handles it itself.
DWORD On_Exception(Debuggee& d, const DEBUG_EVENT& e, Crash_Stack& crash) {
  const EXCEPTION_RECORD& record = e.u.Exception.ExceptionRecord;
  if (record.ExceptionCode == EXCEPTION_BREAKPOINT && !d.started) {
    d.started = true;  // the loader's own, for the debugger
    return DBG_CONTINUE;
  }
  if (!e.u.Exception.dwFirstChance && CAUGHT == 0)
    Catch_Stack(d, e.dwThreadId, record.ExceptionCode, crash);
  return DBG_EXCEPTION_NOT_HANDLED;
}

}  // namespace

void Prepare_Debugging(Crash_Stack& crash) {
  crash = Crash_Stack();
  CAUGHT = 0;
  // Without it, a program started by a debugger gets the slow checking heap.
  SetEnvironmentVariableW(L"_NO_DEBUG_HEAP", L"1");
}

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
