// Running a program on one sample, on POSIX: in its own process group, so
// that the program and everything it started can be ended together.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix_internal.h"

namespace {
enum Sample_Wait { SAMPLE_ENDED, SAMPLE_TIMED_OUT, SAMPLE_STOPPED };

void Wake(int) {}  // a handler, so that SIGCHLD is never discarded as ignored

volatile sig_atomic_t STOP_ASKED = 0;  // Ctrl+C came between two runs

void Ask_Stop(int) {
  STOP_ASKED = 1;
}

const int STOP_SIGNALS[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP};

// From the first sample on, Ctrl+C between runs is kept for the next one
// rather than ending the launcher half-way. exec resets a handler, so no
// program started later inherits it; a signal that was ignored stays ignored.
void Keep_Interrupts() {
  static bool kept = false;
  if (kept) return;
  kept = true;
  struct sigaction ask {};
  ask.sa_handler = Ask_Stop;
  sigemptyset(&ask.sa_mask);
  for (int sig : {SIGINT, SIGQUIT}) {
    struct sigaction now {};
    sigaction(sig, nullptr, &now);
    if (now.sa_handler == SIG_DFL) sigaction(sig, &ask, nullptr);
  }
}

// The launcher is being ended (its terminal closed, say): the sample's
// processes and folder go first, then the launcher ends as the signal asks.
void End_With(pid_t group, const std::string& folder, int sig) {
  killpg(group, SIGKILL);
  Remove_Tree(folder, nullptr);
  signal(sig, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, sig);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(sig);
}

// Waits, with the signals of `set` blocked, until `pid` has ended (it is left
// unreaped, so its process group cannot pass to another), `deadline` has
// passed or Ctrl+C asks to stop.
Sample_Wait Wait_Sample(pid_t pid, const std::string& folder, long long deadline,
                        const sigset_t& set, Crash_Watch& watch) {
  for (;;) {
    siginfo_t info{};
    if (waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) != 0 && errno != EINTR)
      return SAMPLE_ENDED;  // nothing to wait for; reaping it tells how it ended
    int status = 0;
    // A traced program's stops are reported too: dealt with, it goes on.
    if (info.si_pid == pid && info.si_code == CLD_TRAPPED &&
        waitpid(pid, &status, WNOHANG) == pid && Serve_Stop(watch, status))
      continue;
    if (info.si_pid == pid) return SAMPLE_ENDED;
    long long left = deadline - Clock_Us();
    if (left <= 0) return SAMPLE_TIMED_OUT;
    timespec wait{static_cast<time_t>(left / 1000000), static_cast<long>(left % 1000000) * 1000};
    int sig = sigtimedwait(&set, nullptr, &wait);
    if (sig == SIGINT || sig == SIGQUIT) return SAMPLE_STOPPED;
    if (sig == SIGTERM || sig == SIGHUP) End_With(pid, folder, sig);
  }
}

// In the child: every file it writes stops growing past `most` bytes, so a
// runaway loop of output fills no disk; SIGXFSZ then ends it.
void Limit_File_Size(rlim_t most) {
  rlimit size{};
  getrlimit(RLIMIT_FSIZE, &size);
  if (size.rlim_max == RLIM_INFINITY || most < size.rlim_max) size.rlim_cur = most;
  setrlimit(RLIMIT_FSIZE, &size);
  signal(SIGXFSZ, SIG_DFL);
}

// In the child: reports why it cannot go on, as a failed exec does.
[[noreturn]] void Report(int report) {
  int error = errno;
  ssize_t n = write(report, &error, sizeof error);
  (void)n;
  _exit(127);
}

// Standard output goes to a file without a name, made beside the folder:
// nothing the program does in its folder can meet it. -1 when it cannot be made.
int Capture_File(const std::string& folder) {
  std::string name = folder + ".stdout";
  int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd >= 0) unlink(name.c_str());
  return fd;
}

// The first `most` bytes of the open file.
std::string Read_Back(int fd, size_t most) {
  std::string bytes;
  if (lseek(fd, 0, SEEK_SET) != 0) return bytes;
  char chunk[65536];
  while (bytes.size() < most) {
    ssize_t n = read(fd, chunk, std::min(sizeof chunk, most - bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(chunk, static_cast<size_t>(n));
  }
  return bytes;
}

std::string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char* here = getcwd(nullptr, 0);
  std::string whole = here ? std::string(here) + "/" + path : path;
  std::free(here);
  return whole;
}
}  // namespace

void Hold_Interruptions(bool hold) {
  Keep_Interrupts();
  sigset_t set;
  sigemptyset(&set);
  for (int sig : STOP_SIGNALS) sigaddset(&set, sig);
  sigprocmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

Sample_Run Run_Sample(const std::vector<std::string>& argv, const std::string& folder,
                      const std::string& input, const std::vector<std::string>&, size_t cap,
                      long long limit_us, Crash_Stack* crash) {
  Sample_Run run{"", {false, false, ENOENT}, false, false, 0, ""};
  if (argv.empty()) return run;
  std::vector<std::string> words = argv;
  words[0] = Absolute(words[0]);  // it starts in `folder`, not here
  std::vector<char*> args = Exec_Args(words);
  int in = open(input.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    run.error = "无法打开 " + input + "（" + Error_Text(errno) + "）";
    return run;
  }
  int out = Capture_File(folder);
  int null = out < 0 ? -1 : open("/dev/null", O_WRONLY | O_CLOEXEC);
  int report[2] = {-1, -1};
  if (out < 0 || null < 0 || pipe2(report, O_CLOEXEC) != 0) {
    run.error = "无法准备运行（" + Error_Text(errno) + "）";
    for (int fd : {in, out, null})
      if (fd >= 0) close(fd);
    return run;
  }
  sigset_t set, old_mask;
  sigemptyset(&set);
  sigaddset(&set, SIGCHLD);
  for (int sig : STOP_SIGNALS) {
    struct sigaction now {};
    sigaction(sig, nullptr, &now);
    if (now.sa_handler != SIG_IGN) sigaddset(&set, sig);  // one ignored here stays ignored
  }
  struct sigaction wake {
  }, old_child;
  wake.sa_handler = Wake;
  sigemptyset(&wake.sa_mask);
  sigaction(SIGCHLD, &wake, &old_child);
  Keep_Interrupts();
  sigprocmask(SIG_BLOCK, &set, &old_mask);
  sigset_t child_mask = old_mask;  // the program starts with nothing held
  sigdelset(&child_mask, SIGCHLD);
  for (int sig : STOP_SIGNALS) sigdelset(&child_mask, sig);
  if (STOP_ASKED) {  // checked once blocked: a later Ctrl+C waits for sigtimedwait
    STOP_ASKED = 0;
    run = {"", {true, false, 0}, false, true, 0, ""};
    for (int fd : {in, out, null, report[0], report[1]}) close(fd);
    sigprocmask(SIG_SETMASK, &old_mask, nullptr);
    sigaction(SIGCHLD, &old_child, nullptr);
    return run;
  }
  Crash_Watch watch;
  watch.stack = crash;
  if (crash) Open_Gate(watch);
  long long start = Clock_Us();
  pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    sigaction(SIGCHLD, &old_child, nullptr);
    sigprocmask(SIG_SETMASK, &child_mask, nullptr);
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    Limit_File_Size(static_cast<rlim_t>(cap) + 1);
    if (chdir(folder.c_str()) != 0) Report(report[1]);
    Pass_Gate(watch);
    Exec_Or_Report(args, report[1]);
  }
  int fork_error = errno;
  Watch_Child(watch, pid);
  close(report[1]);
  close(in);
  close(null);
  if (pid > 0) {
    setpgid(pid, pid);  // the child does the same; whichever comes first
    int error = Read_Report(report[0]);
    Sample_Wait how =
        error != 0 ? SAMPLE_ENDED : Wait_Sample(pid, folder, start + limit_us, set, watch);
    run.us = Clock_Us() - start;
    killpg(pid, SIGKILL);  // also after a normal end: what it left running goes too
    int status = 0;
    bool waited = false;
    while (!waited && Wait_Child(pid, status)) waited = !Serve_Stop(watch, status);
    if (error != 0)
      run.end = {false, false, error};
    else if (!waited)
      run.end = {true, false, 127};
    else if (WIFSIGNALED(status))
      run.end = {true, true, WTERMSIG(status)};
    else
      run.end = {true, false, WEXITSTATUS(status)};
    run.timed_out = how == SAMPLE_TIMED_OUT;
    run.interrupted = how == SAMPLE_STOPPED;
    run.output = Read_Back(out, cap + 1);
  } else {
    close(report[0]);
    run.end = {false, false, fork_error};
  }
  close(out);
  sigprocmask(SIG_SETMASK, &old_mask, nullptr);
  sigaction(SIGCHLD, &old_child, nullptr);
  if (crash) Finish_Watch(watch, run.end);
  return run;
}
