// Watching a program for a crash on Windows: it runs as a debuggee, every
// exception goes back to it first to handle as it would, and only one that
// no handler takes is looked at: the thread's stack is walked by the
// modules' unwinding tables (.pdata) before the program dies of it.
#include <cstring>

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

// Whether the integer division the thread stopped at is INT_MIN / -1 (or its
// 64-bit twin): the processor faults on it as on a zero divisor, and some
// systems (Wine) report it as one. Only idiv with a register or a plain
// memory operand is read; any other says no.
bool Divides_Past_Range(HANDLE process, const CONTEXT& c) {
  unsigned char b[16] = {};
  SIZE_T got = 0;
  ReadProcessMemory(process, reinterpret_cast<const void*>(c.Rip), b, sizeof b, &got);
  const DWORD64 regs[16] = {c.Rax, c.Rcx, c.Rdx, c.Rbx, c.Rsp, c.Rbp, c.Rsi, c.Rdi,
                            c.R8,  c.R9,  c.R10, c.R11, c.R12, c.R13, c.R14, c.R15};
  size_t i = 0;
  unsigned rex = (b[0] & 0xf0) == 0x40 ? b[i++] : 0;
  if (got < 8 || b[i] != 0xf7 || ((b[i + 1] >> 3) & 7) != 7) return false;  // idiv r/m32, r/m64
  int mod = b[i + 1] >> 6, rm = (b[i + 1] & 7) + ((rex & 1) ? 8 : 0);
  i += 2;
  bool wide = (rex & 8) != 0;
  unsigned long long divisor = 0;
  if (mod == 3) {
    divisor = regs[rm];
  } else {
    if ((rm & 7) == 4) return false;  // an index register: not read here
    long long disp = 0;
    if (mod == 1) disp = static_cast<signed char>(b[i]);
    if (mod == 2 || (mod == 0 && (rm & 7) == 5)) {
      int value = 0;
      std::memcpy(&value, b + i, 4);
      disp = value;
    }
    size_t end = i + (mod == 1 ? 1 : mod == 2 || (rm & 7) == 5 ? 4 : 0);
    unsigned long long base = mod == 0 && (rm & 7) == 5 ? c.Rip + end : regs[rm];
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(base + disp), &divisor,
                           wide ? 8 : 4, &got))
      return false;
  }
  if (wide) return c.Rax == 0x8000000000000000ULL && divisor == ~0ULL;
  return (c.Rax & 0xffffffff) == 0x80000000 && (divisor & 0xffffffff) == 0xffffffff;
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
  // A stack overflow is caught when it comes: a system may end the program
  // without asking again (Wine ends it with status 0).
  bool overflow = record.ExceptionCode == EXCEPTION_STACK_OVERFLOW;
  if ((e.u.Exception.dwFirstChance && !overflow) || d.caught != 0) return DBG_EXCEPTION_NOT_HANDLED;
  HANDLE thread = d.threads.count(e.dwThreadId) ? d.threads[e.dwThreadId] : nullptr;
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_FULL;
  DWORD code = record.ExceptionCode;
  if (thread != nullptr && GetThreadContext(thread, &context)) {
    if (code == EXCEPTION_INT_DIVIDE_BY_ZERO && Divides_Past_Range(d.process, context))
      code = EXCEPTION_INT_OVERFLOW;
    Catch_Stack(d, context, code);
  } else
    d.crash->missing = "无法读取程序出错时的状态（" + Error_Text(GetLastError()) + "）";
  return DBG_EXCEPTION_NOT_HANDLED;
}

void Finish_Debuggee(const Debuggee& d, Program_End& end) {
  Crash_Stack& crash = *d.crash;
  // The exception caught tells how the program ended where the status the
  // system gave says otherwise: a stack overflow, or a division that overflowed.
  if (end.started && (d.caught == EXCEPTION_STACK_OVERFLOW ||
                      (d.caught == EXCEPTION_INT_OVERFLOW &&
                       static_cast<DWORD>(end.code) == EXCEPTION_INT_DIVIDE_BY_ZERO)))
    end.code = d.caught;
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
