// The two processes forked for a sample: the keeper, which outlives nothing
// it watches, and the program, started with the judge's limits and, where
// the kernel offers Landlock, able to write only in its own folder.
#include <fcntl.h>
#include <malloc.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
// Built where the kernel headers predate Landlock (Debian 11, Ubuntu 20.04),
// the program runs unconfined, as on a kernel without it.
#if __has_include(<linux/landlock.h>) && defined(SYS_landlock_create_ruleset)
#include <linux/landlock.h>
#define TWS_LANDLOCK 1
#endif

#include <cerrno>
#include <cstdlib>

#include "platform/posix_internal.h"

namespace {

#ifdef TWS_LANDLOCK
// Rights of later kernels than the headers may know.
const __u64 REFER = 1ULL << 13;     // Landlock 2
const __u64 TRUNCATE = 1ULL << 14;  // Landlock 3

// Every way of changing the file system that Landlock can refuse.
__u64 Write_Rights(long abi) {
  __u64 rights = LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_REMOVE_DIR |
                 LANDLOCK_ACCESS_FS_REMOVE_FILE | LANDLOCK_ACCESS_FS_MAKE_CHAR |
                 LANDLOCK_ACCESS_FS_MAKE_DIR | LANDLOCK_ACCESS_FS_MAKE_REG |
                 LANDLOCK_ACCESS_FS_MAKE_SOCK | LANDLOCK_ACCESS_FS_MAKE_FIFO |
                 LANDLOCK_ACCESS_FS_MAKE_BLOCK | LANDLOCK_ACCESS_FS_MAKE_SYM;
  if (abi >= 2) rights |= REFER;
  if (abi >= 3) rights |= TRUNCATE;
  return rights;
}

bool Allow(int ruleset, const char* path, __u64 rights) {
  landlock_path_beneath_attr beneath{};
  beneath.allowed_access = rights;
  beneath.parent_fd = open(path, O_PATH | O_CLOEXEC);
  if (beneath.parent_fd < 0) return false;
  bool added =
      syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &beneath, 0) == 0;
  close(beneath.parent_fd);
  return added;
}

// From here on the process and all it starts may write in `folder` (and to
// /dev/null) only. Where the kernel has no Landlock, or refuses, nothing
// changes: the sample runs as before, unconfined.
void Confine_Writes(const char* folder) {
  long abi = syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
  if (abi < 1) return;
  landlock_ruleset_attr attr{};
  attr.handled_access_fs = Write_Rights(abi);
  int ruleset = static_cast<int>(syscall(SYS_landlock_create_ruleset, &attr, sizeof attr, 0));
  if (ruleset < 0) return;
  __u64 file_rights = LANDLOCK_ACCESS_FS_WRITE_FILE | (abi >= 3 ? TRUNCATE : 0);
  if (Allow(ruleset, folder, attr.handled_access_fs) && Allow(ruleset, "/dev/null", file_rights) &&
      prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0)
    syscall(SYS_landlock_restrict_self, ruleset, 0);
  close(ruleset);
}
#else
void Confine_Writes(const char*) {}
#endif

void Set_Limit(int resource, rlim_t most) {
  rlimit limit{};
  getrlimit(resource, &limit);
  limit.rlim_cur = limit.rlim_max == RLIM_INFINITY || most < limit.rlim_max ? most : limit.rlim_max;
  setrlimit(resource, &limit);
}

// In the program's process: the judge's stack, files that stop growing past
// the cap (SIGXFSZ then ends it, so a runaway loop fills no disk), no core
// file, then its folder and its program.
[[noreturn]] void Start_Program(const Sample_Child& child, pid_t keeper, Crash_Watch* watch) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);  // ended with its keeper, whatever ends that
  if (getppid() != keeper) _exit(127);
  // A group of its own: reading the terminal stops this group, not the keeper.
  setpgid(0, 0);
  dup2(child.in, STDIN_FILENO);
  dup2(child.out, STDOUT_FILENO);
  dup2(child.errors, STDERR_FILENO);
  Set_Limit(RLIMIT_STACK, child.memory);
  Set_Limit(RLIMIT_FSIZE, child.cap);
  Set_Limit(RLIMIT_CORE, 0);
  signal(SIGXFSZ, SIG_DFL);
  // Reading the terminal from the background stops it, which the watch sees
  // as waiting for the keyboard, where an ignored signal would give an error.
  signal(SIGTTIN, SIG_DFL);
  if (chdir(child.folder) != 0) {
    int error = errno;
    ssize_t n = write(child.exec_report, &error, sizeof error);
    (void)n;
    _exit(127);
  }
  Confine_Writes(child.folder);
  // This process's own copy of the strings, which exec copies on.
  for (const std::string& each : *child.environment) putenv(const_cast<char*>(each.c_str()));
  sigprocmask(SIG_SETMASK, &child.program_mask, nullptr);
  std::vector<char*> args = child.args;  // a copy exec may take: one thread, so it may allocate
  if (watch) Pass_Gate(*watch);
  Exec_Or_Report(args, child.exec_report);
}

// Reaps whatever has ended, and lets a watched program on after each stop;
// true once the program has ended.
bool Reap(pid_t program, Keeper_Report& report, Crash_Watch* watch) {
  int status = 0;
  rusage usage{};
  pid_t pid;
  while ((pid = wait4(-1, &status, WNOHANG, &usage)) > 0) {
    if (pid == program && watch && Serve_Stop(*watch, status)) continue;
    Add_Usage(report.usage, usage);
    if (pid == program) {
      report.status = status;
      report.reaped = 1;
    }
  }
  return report.reaped != 0;
}

}  // namespace

void Keep_Sample(const Sample_Child& child) {
  setpgid(0, 0);  // away from the terminal's Ctrl+C, which is the launcher's to take
  sigset_t wake;
  sigemptyset(&wake);
  sigaddset(&wake, SIGCHLD);
  sigaddset(&wake, SIGTERM);
  sigprocmask(SIG_BLOCK, &wake, nullptr);
  signal(SIGTERM, SIG_DFL);  // never ignored here: it is how the end is asked for
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  Keeper_Report report{0, 0, {}};
  // What the program's process holds before its exec counts as its memory
  // too (the kernel keeps the larger peak): hand back what the launcher's
  // copy has freed.
  malloc_trim(0);
  // The keeper, the program's parent, is the one that may watch it for a crash.
  Crash_Stack stack;
  Crash_Watch crash;
  crash.stack = &stack;
  crash.let_stop = true;
  Crash_Watch* watch = child.crash_file >= 0 ? &crash : nullptr;
  if (watch) Open_Gate(*watch);
  pid_t program = getppid() == child.launcher ? fork() : -1;
  if (program == 0) Start_Program(child, getppid(), watch);
  if (watch) Watch_Child(*watch, program);
  if (program < 0) {
    int error = errno;
    ssize_t n = write(child.exec_report, &error, sizeof error);
    (void)n;
  }
  close(child.exec_report);  // its end is the program's exec
  while (program > 0 && !Reap(program, report, watch)) {
    int sig = sigwaitinfo(&wake, nullptr);
    if (sig == SIGTERM) break;
  }
  int status = 0;
  if (End_Descendants(report.usage, program, status) && !report.reaped) {
    report.status = status;
    report.reaped = 1;
  }
  if (watch) {
    Finish_Watch(*watch, report.reaped ? End_Of(report.status) : Program_End{true, true, SIGKILL});
    std::string bytes = Stack_Bytes(stack);
    Write_Fd(child.crash_file, bytes.data(), bytes.size());
  }
  if (getppid() == child.launcher) {
    ssize_t n = write(child.keeper_report, &report, sizeof report);
    (void)n;
  } else {
    Remove_Tree(child.folder, nullptr);  // the launcher is gone: nobody else will
  }
  _exit(0);
}
