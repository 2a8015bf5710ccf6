// Watching a program for a crash on POSIX: it is traced from before its
// first instruction, so the system stops it only when a signal is delivered
// to it, and every signal goes on to it as it came. At a crash signal its
// registers and stack are read; then it goes on to die of that signal.
#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/platform.h"
#include "platform/posix_internal.h"

namespace {

const size_t MOST_FRAMES = 1000000;     // deeper than any stack of 8 MB
const long long STACK_REACH = 1 << 16;  // a fault this far below the stack pointer is the stack's

bool Is_Crash_Signal(int sig) {
  for (int crash : {SIGSEGV, SIGFPE, SIGABRT, SIGBUS, SIGILL, SIGTRAP, SIGSYS})
    if (sig == crash) return true;
  return false;
}

#if defined(__x86_64__)
const bool CAN_WALK = true;

Frame_Registers Registers_Of(const user_regs_struct& r) {
  Frame_Registers regs;
  const unsigned long long values[FRAME_REGISTERS] = {r.rax, r.rdx, r.rcx, r.rbx, r.rsi, r.rdi,
                                                      r.rbp, r.rsp, r.r8,  r.r9,  r.r10, r.r11,
                                                      r.r12, r.r13, r.r14, r.r15, r.rip};
  for (int i = 0; i < FRAME_REGISTERS; i++) {
    regs.value[i] = values[i];
    regs.known[i] = true;
  }
  return regs;
}

bool Read_Registers(pid_t pid, Frame_Registers& regs) {
  user_regs_struct r;
  if (ptrace(PTRACE_GETREGS, pid, nullptr, &r) != 0) return false;
  regs = Registers_Of(r);
  return true;
}
#else
const bool CAN_WALK = false;

bool Read_Registers(pid_t, Frame_Registers&) {
  return false;
}
#endif

// A SIGSEGV whose address lies unmapped just below the stack pointer (or
// with the stack pointer itself outside any memory) is the stack running out.
bool Ran_Out_Of_Stack(const Stopped_Process& p, unsigned long long sp, unsigned long long fault) {
  auto mapped = [&](unsigned long long at) {
    for (const Memory_Region& r : p.regions)
      if (at >= r.start && at < r.end) return true;
    return false;
  };
  if (!mapped(sp)) return true;
  return !mapped(fault) && fault + STACK_REACH >= sp && fault < sp + STACK_REACH;
}

int Module_Index(Crash_Stack& stack, const std::string& path) {
  for (size_t i = 0; i < stack.modules.size(); i++)
    if (stack.modules[i] == path) return static_cast<int>(i);
  stack.modules.push_back(path);
  return static_cast<int>(stack.modules.size() - 1);
}

// Reads the stopped program's registers and walks its stack.
void Catch_Stack(Crash_Watch& watch, int sig) {
  Crash_Stack& stack = *watch.stack;
  Stopped_Process p;
  p.pid = watch.pid;
  p.regions = Read_Regions(watch.pid);
  Frame_Registers regs;
  if (!Read_Registers(watch.pid, regs) || p.regions.empty()) {
    stack.missing = "无法读取程序出错时的状态（" + Error_Text(errno) + "）";
    return;
  }
  char exe[4096];
  ssize_t n = readlink(("/proc/" + std::to_string(watch.pid) + "/exe").c_str(), exe, sizeof exe);
  stack.modules.assign(1, n > 0 ? std::string(exe, static_cast<size_t>(n)) : "");
  std::vector<unsigned long long> pcs = Walk_Stack(p, regs, MOST_FRAMES, stack.cut);
  stack.frames.clear();
  for (size_t i = 0; i < pcs.size(); i++) {
    std::string path;
    unsigned long long address = 0;
    unsigned long long pc = i == 0 ? pcs[i] : pcs[i] - 1;  // an outer frame's call, not its return
    if (Code_Place(p, pc, path, address))
      stack.frames.push_back({Module_Index(stack, path), address});
    else
      stack.frames.push_back({-1, pc});
  }
  siginfo_t info{};
  if (sig == SIGSEGV && ptrace(PTRACE_GETSIGINFO, watch.pid, nullptr, &info) == 0)
    stack.overflow =
        Ran_Out_Of_Stack(p, regs.value[7], reinterpret_cast<unsigned long long>(info.si_addr));
  stack.caught = true;
  watch.caught = sig;
}

// Whether the program has a handler of its own for `sig`: then the signal is
// its to handle, and the crash that ends it (if any) comes later.
bool Has_Handler(pid_t pid, int sig) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.compare(0, 7, "SigCgt:") == 0)
      return (std::strtoull(line.c_str() + 7, nullptr, 16) >> (sig - 1)) & 1;
  return false;
}

bool Is_Stop_Signal(int sig) {
  return sig == SIGSTOP || sig == SIGTSTP || sig == SIGTTIN || sig == SIGTTOU;
}

}  // namespace

void Open_Gate(Crash_Watch& watch) {
  *watch.stack = Crash_Stack();
  if (!CAN_WALK)
    watch.stack->missing = "在这种处理器上还不能确定出错位置";
  else if (!Open_Pipe(watch.gate, watch.gate_open))
    watch.stack->missing = "无法准备跟踪程序（" + Error_Text(errno) + "）";
}

void Pass_Gate(Crash_Watch& watch) {
  if (watch.gate.fd < 0) return;
  watch.gate_open.Close();
  char byte;
  while (read(watch.gate.fd, &byte, 1) < 0 && errno == EINTR) {
  }
}

void Watch_Child(Crash_Watch& watch, pid_t pid) {
  if (watch.gate.fd < 0) return;
  watch.pid = pid;
  if (pid > 0) {
    watch.traced = ptrace(PTRACE_SEIZE, pid, nullptr, nullptr) == 0;
    if (!watch.traced)
      watch.stack->missing = "系统不允许启动器跟踪程序（" + Error_Text(errno) + "）";
  }
  watch.gate_open.Close();
  watch.gate.Close();
}

bool Serve_Stop(Crash_Watch& watch, int status) {
  if (!watch.traced || !WIFSTOPPED(status)) return false;
  int sig = WSTOPSIG(status), event = status >> 16;
  if (event == PTRACE_EVENT_STOP) {
    // A stop of the whole program (Ctrl+Z): it stays stopped until SIGCONT,
    // as it would untraced.
    ptrace(Is_Stop_Signal(sig) ? PTRACE_LISTEN : PTRACE_CONT, watch.pid, nullptr, nullptr);
    return true;
  }
  if (event != 0) sig = 0;  // an event that was not asked for
  if (event == 0 && Is_Stop_Signal(sig) && watch.let_stop) {
    // A sample's keeper must see the program stopped (reading the terminal)
    // as the system shows a stopped program: it stops untraced.
    ptrace(PTRACE_DETACH, watch.pid, nullptr, reinterpret_cast<void*>(static_cast<long>(sig)));
    watch.traced = false;
    return true;
  }
  if (event == 0 && Is_Crash_Signal(sig) && watch.caught == 0 && !Has_Handler(watch.pid, sig))
    Catch_Stack(watch, sig);
  ptrace(PTRACE_CONT, watch.pid, nullptr, reinterpret_cast<void*>(static_cast<long>(sig)));
  return true;
}

void Finish_Watch(Crash_Watch& watch, const Program_End& end) {
  Crash_Stack& stack = *watch.stack;
  stack.crashed = end.started && end.signaled && Is_Crash_Signal(static_cast<int>(end.code));
  if (stack.crashed && watch.caught == static_cast<int>(end.code)) return;
  // It survived the signal it was caught at, or died of another.
  bool was_caught = stack.caught;
  stack.caught = false;
  stack.frames.clear();
  stack.modules.clear();
  if (stack.crashed && stack.missing.empty())
    stack.missing = was_caught ? "程序出错后又改变了结束的方式" : "没能在程序出错的那一刻停下它";
}

Program_End Run_Watched(const std::vector<std::string>& argv, const std::string& folder,
                        Crash_Stack& crash, std::string* err) {
  Crash_Watch watch;
  watch.stack = &crash;
  Program_End end = Run_Child(argv, folder, nullptr, nullptr, nullptr, err, &watch);
  Finish_Watch(watch, end);
  return end;
}

namespace {
template <typename T>
void Put(std::string& bytes, const T& value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void Put_Text(std::string& bytes, const std::string& text) {
  Put(bytes, static_cast<unsigned long long>(text.size()));
  bytes += text;
}

// A cursor over the bytes; `ok` turns false at the first read past their end.
struct Bytes_Reader {
  const std::string& bytes;
  size_t at = 0;
  bool ok = true;
  template <typename T>
  T Take() {
    T value{};
    ok = ok && at + sizeof value <= bytes.size();
    if (ok) std::memcpy(&value, bytes.data() + at, sizeof value);
    at += sizeof value;
    return value;
  }
  std::string Text() {
    unsigned long long size = Take<unsigned long long>();
    ok = ok && size <= bytes.size() - at;
    std::string text = ok ? bytes.substr(at, size) : "";
    at += ok ? size : 0;
    return text;
  }
};
}  // namespace

std::string Stack_Bytes(const Crash_Stack& stack) {
  std::string bytes;
  for (bool flag : {stack.crashed, stack.caught, stack.cut, stack.overflow}) Put(bytes, flag);
  Put_Text(bytes, stack.missing);
  Put_Text(bytes, stack.through);
  Put(bytes, static_cast<unsigned long long>(stack.modules.size()));
  for (const std::string& module : stack.modules) Put_Text(bytes, module);
  Put(bytes, static_cast<unsigned long long>(stack.frames.size()));
  for (const Crash_Frame& frame : stack.frames) Put(bytes, frame);
  return bytes;
}

bool Read_Stack_Bytes(const std::string& bytes, Crash_Stack& stack) {
  Bytes_Reader in{bytes};
  stack = Crash_Stack();
  for (bool* flag : {&stack.crashed, &stack.caught, &stack.cut, &stack.overflow})
    *flag = in.Take<bool>();
  stack.missing = in.Text();
  stack.through = in.Text();
  unsigned long long count = in.Take<unsigned long long>();
  for (unsigned long long i = 0; in.ok && i < count; i++) stack.modules.push_back(in.Text());
  count = in.Take<unsigned long long>();
  for (unsigned long long i = 0; in.ok && i < count; i++)
    stack.frames.push_back(in.Take<Crash_Frame>());
  for (const Crash_Frame& frame : stack.frames)
    in.ok = in.ok && frame.module < static_cast<int>(stack.modules.size());
  if (!in.ok) stack = Crash_Stack();
  return in.ok;
}
