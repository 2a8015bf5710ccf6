// Watching a program for a crash on Windows: it runs as a debuggee, every
// exception goes back to it first to handle as it would, and only one that
// no handler takes is looked at: the thread's stack is walked by the
// modules' unwinding tables (.pdata) before the program dies of it.
#include "platform/platform.h"
#include "platform/windows_internal.h"

namespace {

const size_t MOST_FRAMES = 200000;  // deeper than any stack of the usual 2 MB or 8 MB
const DWORD ABORTED = 3;            // the status abort ends a program with

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
void Catch_Stack(Debuggee& d, const CONTEXT& context, DWORD code) {
  Crash_Stack& crash = *d.crash;
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
  d.caught = code;
}

// One of ours was hit: the stack is caught there (at the first only), the
// code put back as it was, and the program goes on to end as it would.
void On_Breakpoint(Debuggee& d, DWORD thread_id, unsigned long long at) {
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
  if (d.caught != 0) return;
  Catch_Stack(d, context, ABORTED);
  d.crash->through = b.function;
}

}  // namespace

DWORD Answer_Exception(Debuggee& d, const DEBUG_EVENT& e) {
  const EXCEPTION_RECORD& record = e.u.Exception.ExceptionRecord;
  unsigned long long at = reinterpret_cast<unsigned long long>(record.ExceptionAddress);
  if (record.ExceptionCode == EXCEPTION_BREAKPOINT && d.breakpoints.count(at)) {
    On_Breakpoint(d, e.dwThreadId, at);
    return DBG_CONTINUE;
  }
  if (record.ExceptionCode == EXCEPTION_BREAKPOINT && !d.started) {
    d.started = true;  // the loader's own, for the debugger
    return DBG_CONTINUE;
  }
  if (e.u.Exception.dwFirstChance || d.caught != 0) return DBG_EXCEPTION_NOT_HANDLED;
  HANDLE thread = d.threads.count(e.dwThreadId) ? d.threads[e.dwThreadId] : nullptr;
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_FULL;
  if (thread != nullptr && GetThreadContext(thread, &context))
    Catch_Stack(d, context, record.ExceptionCode);
  else
    d.crash->missing = "无法读取程序出错时的状态（" + Error_Text(GetLastError()) + "）";
  return DBG_EXCEPTION_NOT_HANDLED;
}

void Finish_Debuggee(const Debuggee& d, const Program_End& end) {
  Crash_Stack& crash = *d.crash;
  DWORD code = static_cast<DWORD>(end.code);
  bool ended_by_caught = end.started && d.caught != 0 && code == d.caught;
  // Ctrl+C and a DLL that cannot be found end a program, but are no crash of its own.
  crash.crashed = ended_by_caught || (end.started && code >= 0xC0000000 && code != 0xC000013A &&
                                      code != 0xC0000135 && code != 0xC0000139);
  if (ended_by_caught) return;
  crash.caught = false;
  crash.frames.clear();
  crash.modules.clear();
  if (crash.crashed && crash.missing.empty()) crash.missing = "没能在程序出错的那一刻停下它";
}

Program_End Run_Watched(const std::vector<std::string>& argv, const std::string& folder,
                        Crash_Stack& crash, std::string* err) {
  Debuggee d;
  Prepare_Debuggee(d, crash);
  auto serve = [&](const PROCESS_INFORMATION& process) {
    d.id = process.dwProcessId;
    d.process = process.hProcess;
    DebugSetProcessKillOnExit(FALSE);  // should the launcher go, the program runs on as before
    while (!d.exited && Serve_Debug_Event({&d}, INFINITE)) {
    }
  };
  Program_End end = Run_With(argv, folder, nullptr, nullptr, serve, err, DEBUG_ONLY_THIS_PROCESS);
  if (!end.started) {  // refused as a debuggee, perhaps: then it runs as before
    end = Run_With(argv, folder, nullptr, nullptr, nullptr, err);
    crash.missing = "系统不允许启动器跟踪程序";
  }
  Finish_Debuggee(d, end);
  return end;
}
