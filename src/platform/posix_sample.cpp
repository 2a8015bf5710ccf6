// Running a program on one sample, on POSIX. A keeper process of its own
// starts the program and reaps all it starts, so that they are watched and
// ended together, and ended too when the launcher itself is killed. The run
// is cut in four: prepare its files, start the keeper, watch the processes'
// time and memory, collect what they left.
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/posix_internal.h"

namespace {

const long long LOOK_US = 10000;        // how often the processes' time and memory are looked at
const long long IDLE_MARK_US = 250000;  // the span over which a waiting program is told
const size_t ERRORS_KEPT = 4096;        // bytes of the end of standard error kept
const int STOP_SIGNALS[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP};

volatile sig_atomic_t STOP_ASKED = 0;  // Ctrl+C came between two runs

void Ask_Stop(int) {
  STOP_ASKED = 1;
}

void Wake(int) {}  // a handler, so that SIGCHLD is never discarded as ignored

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

// The signals while a sample runs, as they were once it is over: SIGCHLD and
// the stop signals (those not ignored) wait in the mask for the watch.
struct Run_Signals {
  sigset_t set;           // what the watch waits for
  sigset_t old_mask;      // the caller's
  sigset_t program_mask;  // the program's: nothing held
  struct sigaction old_child;
  Run_Signals() {
    sigemptyset(&set);
    sigaddset(&set, SIGCHLD);
    for (int sig : STOP_SIGNALS) {
      struct sigaction now {};
      sigaction(sig, nullptr, &now);
      if (now.sa_handler != SIG_IGN) sigaddset(&set, sig);
    }
    struct sigaction wake {};
    wake.sa_handler = Wake;
    sigemptyset(&wake.sa_mask);
    sigaction(SIGCHLD, &wake, &old_child);
    Keep_Interrupts();
    sigprocmask(SIG_BLOCK, &set, &old_mask);
    program_mask = old_mask;
    sigdelset(&program_mask, SIGCHLD);
    for (int sig : STOP_SIGNALS) sigdelset(&program_mask, sig);
  }
  ~Run_Signals() {
    sigprocmask(SIG_SETMASK, &old_mask, nullptr);
    sigaction(SIGCHLD, &old_child, nullptr);
  }
  Run_Signals(const Run_Signals&) = delete;
  Run_Signals& operator=(const Run_Signals&) = delete;
};

// The descriptors of one run.
struct Run_Files {
  Fd in, out, errors;            // the program's standard streams
  Fd exec_read, exec_write;      // the error number when exec fails; nothing when it works
  Fd report_read, report_write;  // the keeper's report
};

// A file without a name, made beside the folder: nothing the program does in
// its folder can meet it. -1 when it cannot be made.
int Capture_File(const std::string& folder, const char* suffix) {
  std::string name = folder + suffix;
  int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd >= 0) unlink(name.c_str());
  return fd;
}

bool Prepare(const Sample_Request& request, Run_Files& files, std::string* err) {
  files.in.fd = open(request.input.c_str(), O_RDONLY | O_CLOEXEC);
  if (files.in.fd < 0) return Fail_Errno(err, DOING_READ);
  files.out.fd = Capture_File(request.folder, ".stdout");
  if (files.out.fd < 0) return Fail_Errno(err, DOING_WRITE);
  files.errors.fd = Capture_File(request.folder, ".stderr");
  if (files.errors.fd < 0) return Fail_Errno(err, DOING_WRITE);
  if (!Open_Pipe(files.exec_read, files.exec_write) ||
      !Open_Pipe(files.report_read, files.report_write))
    return Fail_Errno(err);
  return true;
}

// Forks the keeper, which starts the program; -1 with `error` set when it
// cannot. Only the keeper and the program keep the pipes' writing ends.
pid_t Start(const Sample_Request& request, const std::vector<std::string>& words, Run_Files& files,
            const Run_Signals& signals, int& error) {
  Sample_Child child;
  child.args = Exec_Args(words);
  child.folder = request.folder.c_str();
  child.in = files.in.fd;
  child.out = files.out.fd;
  child.errors = files.errors.fd;
  child.exec_report = files.exec_write.fd;
  child.keeper_report = files.report_write.fd;
  child.launcher = getpid();
  child.cap = request.cap + 1;
  child.memory = static_cast<unsigned long>(request.memory_bytes);
  child.program_mask = signals.program_mask;
  pid_t keeper = fork();
  if (keeper == 0) Keep_Sample(child);
  error = errno;
  files.exec_write.Close();
  files.report_write.Close();
  return keeper;
}

// The launcher is being ended (its terminal closed, say): the sample's
// processes and folder go first, then the launcher ends as the signal asks.
[[noreturn]] void End_With(pid_t keeper, const std::string& folder, int sig) {
  kill(keeper, SIGTERM);
  kill(keeper, SIGCONT);
  int status = 0;
  Wait_Child(keeper, status);
  Reaped_Usage ignored;
  End_Descendants(ignored, -1, status);
  Remove_Tree(folder, nullptr);
  signal(sig, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, sig);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(sig);
  _exit(128 + sig);
}

// The clock and CPU time when the processes were last seen computing or not.
struct Idle_Mark {
  long long wall;  // since the start
  long long cpu;
};

// What the processes use now, and whether that ends the run. A program
// waits when none of its processes is ready to run and, over the last
// IDLE_MARK_US, they used less than a tenth of the clock's time: a process
// caught once writing its output is still computing.
Sample_Stop Look(pid_t keeper, const Sample_Request& request, long long wall, Idle_Mark& mark,
                 Sample_Run& run) {
  Tree_Usage usage = Tree_Of(keeper);
  run.cpu_us = std::max(run.cpu_us, usage.cpu_us);
  run.peak_bytes = std::max(run.peak_bytes, usage.bytes);
  if (usage.cpu_us > request.time_us) return STOP_TIME;
  if (usage.bytes > request.memory_bytes) return STOP_MEMORY;
  if (usage.stopped) return STOP_TERMINAL;
  if (wall - mark.wall < IDLE_MARK_US) return STOP_NONE;
  // Only a process that is there and waits makes a waiting program: one that
  // has just ended is not yet reaped.
  bool waits = usage.waiting && !usage.running && (usage.cpu_us - mark.cpu) * 10 < wall - mark.wall;
  mark = {wall, usage.cpu_us};
  if (wall > request.wait_us && waits) return STOP_WAITING;
  if (wall > request.wall_us) return STOP_SLOW;
  return STOP_NONE;
}

// Waits, looking at the processes every LOOK_US, until the keeper has ended
// (it is left unreaped), a limit is passed or Ctrl+C asks to stop.
Sample_Stop Watch(pid_t keeper, const Sample_Request& request, long long start,
                  const Run_Signals& signals, Sample_Run& run) {
  long long look = start + LOOK_US;
  Idle_Mark mark{0, 0};
  for (;;) {
    siginfo_t info{};
    if (waitid(P_PID, keeper, &info, WEXITED | WNOHANG | WNOWAIT) != 0 && errno != EINTR)
      return STOP_NONE;  // nothing to wait for; reaping it tells how it ended
    if (info.si_pid == keeper) return STOP_NONE;
    long long now = Clock_Us();
    if (now >= look) {
      Sample_Stop stop = Look(keeper, request, now - start, mark, run);
      if (stop != STOP_NONE) return stop;
      look = now + LOOK_US;
    }
    long long left = look - now;
    timespec wait{static_cast<time_t>(left / 1000000), static_cast<long>(left % 1000000) * 1000};
    int sig = sigtimedwait(&signals.set, nullptr, &wait);
    if (sig == SIGINT || sig == SIGQUIT) return STOP_INTERRUPTED;
    if (sig == SIGTERM || sig == SIGHUP) End_With(keeper, request.folder, sig);
  }
}

// At most `most` bytes of the open file from `offset` on.
std::string Read_From(int fd, off_t offset, size_t most) {
  std::string bytes;
  char chunk[65536];
  while (bytes.size() < most) {
    ssize_t n = pread(fd, chunk, std::min(sizeof chunk, most - bytes.size()),
                      offset + static_cast<off_t>(bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(chunk, static_cast<size_t>(n));
  }
  return bytes;
}

// The last `most` bytes of the open file.
std::string Read_Tail(int fd, size_t most) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return "";
  off_t size = st.st_size, keep = static_cast<off_t>(most);
  return Read_From(fd, size > keep ? size - keep : 0, most);
}

// Reaps the keeper, takes its report, ends whatever came to this process
// instead (when the program killed its keeper), and reads the outputs.
void Collect(pid_t keeper, Run_Files& files, int exec_error, size_t cap, Sample_Run& run) {
  int status = 0;
  Wait_Child(keeper, status);
  Keeper_Report report{0, 0, {}};
  bool told = read(files.report_read.fd, &report, sizeof report) == sizeof report;
  Reaped_Usage strays;
  End_Descendants(strays, -1, status);
  run.cpu_us = std::max(run.cpu_us, report.usage.cpu_us + strays.cpu_us);
  run.peak_bytes = std::max(run.peak_bytes, std::max(report.usage.peak_kb, strays.peak_kb) * 1024);
  if (exec_error != 0)
    run.end = {false, false, exec_error};
  else if (!told || !report.reaped)
    run.end = {true, true, SIGKILL};  // ended with its keeper
  else
    run.end = End_Of(report.status);
  run.output = Read_From(files.out.fd, 0, cap + 1);
  run.errors = Read_Tail(files.errors.fd, ERRORS_KEPT);
}

}  // namespace

void Hold_Interruptions(bool hold) {
  Keep_Interrupts();
  sigset_t set;
  sigemptyset(&set);
  for (int sig : STOP_SIGNALS) sigaddset(&set, sig);
  sigprocmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

bool Run_Sample(const Sample_Request& request, Sample_Run& run, std::string* err) {
  run = Sample_Run{};
  if (request.argv.empty()) return true;
  std::vector<std::string> words = request.argv;
  words[0] = Absolute(words[0]);  // it starts in `folder`, not here
  Run_Files files;
  if (!Prepare(request, files, err)) return false;
  // Orphans of the sample's processes come here when their keeper is gone.
  static const bool subreaper = prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;
  (void)subreaper;
  Run_Signals signals;
  if (STOP_ASKED) {  // checked once blocked: a later Ctrl+C waits for the watch
    STOP_ASKED = 0;
    run.end = {true, false, 0};
    run.stop = STOP_INTERRUPTED;
    return true;
  }
  long long start = Clock_Us();
  int fork_error = 0;
  pid_t keeper = Start(request, words, files, signals, fork_error);
  if (keeper < 0) {
    run.end = {false, false, fork_error};
    return true;
  }
  int exec_error = Read_Report(files.exec_read.fd);  // it closes the descriptor
  files.exec_read.fd = -1;
  if (exec_error == 0) run.stop = Watch(keeper, request, start, signals, run);
  run.wall_us = Clock_Us() - start;
  if (run.stop != STOP_NONE) {
    kill(keeper, SIGTERM);
    kill(keeper, SIGCONT);  // should anything have stopped it
  }
  Collect(keeper, files, exec_error, request.cap, run);
  return true;
}
