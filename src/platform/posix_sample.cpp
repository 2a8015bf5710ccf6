// Running programs on samples, on POSIX, one or several at once. A keeper
// process of its own starts each program and reaps all it starts, so that
// they are watched and ended together, and ended too when the launcher itself
// is killed. The runs are cut in four: prepare their files, start the
// keepers, watch the processes' time and memory, collect what they left.
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/posix_internal.h"

namespace {

const long long LOOK_US = 10000;       // how often the processes' time and memory are looked at
const size_t ERRORS_KEPT = 4096;       // bytes of the end of standard error kept
const int ERRORS_PIPE = 1 << 20;       // room in the pipe of standard error, where allowed
const size_t CRASH_MOST = 256u << 20;  // bytes of a crashed program's stack read back
const int STOP_SIGNALS[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP};

volatile sig_atomic_t STOP_ASKED = 0;  // Ctrl+C came between two runs
long long DEADLINE = 0;                // End_Runs_At's

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
  Fd signals;  // readable while one of `set` waits: the watch wakes for it as for standard error
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
    signals.fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
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

// One run among those started together: its request, its descriptors, its
// keeper and what the watch has seen of it.
struct Run_Job {
  const Sample_Request* request = nullptr;
  Sample_Run* run = nullptr;
  std::vector<std::string> words;  // argv with an absolute argv[0]
  Fd in, out;                      // the program's standard input and output
  Fd errors_read, errors_write;    // its standard error, drained as it comes
  Fd exec_read, exec_write;        // the error number when exec fails; nothing when it works
  Fd report_read, report_write;    // the keeper's report
  Fd crash;                        // the program's stack, when it is watched and crashed
  pid_t keeper = -1;
  int exec_error = 0;
  Watch_Mark mark;
  bool ended = false;  // its keeper has ended (left unreaped), or never started
};

// A file in memory, without a name: nothing the program does in its folder
// can meet it, and making one costs the disk nothing, round after round of
// 对拍. Its size is held to the cap as any file's. -1 when it cannot be made.
int Capture_File(const char* name) {
  return memfd_create(name, MFD_CLOEXEC);
}

bool Prepare(Run_Job& job, std::string* err) {
  const Sample_Request& request = *job.request;
  job.words = request.argv;
  job.words[0] = Absolute(job.words[0]);  // it starts in `folder`, not here
  job.in.fd = open(request.input.c_str(), O_RDONLY | O_CLOEXEC);
  if (job.in.fd < 0) return Fail_Errno(err, DOING_READ);
  job.out.fd = Capture_File("stdout");
  if (job.out.fd < 0) return Fail_Errno(err, DOING_WRITE);
  if (request.crash) job.crash.fd = Capture_File("crash");
  if (request.crash && job.crash.fd < 0) return Fail_Errno(err, DOING_WRITE);
  return true;
}

// A pipe for standard error, drained by the watch: the judges discard it,
// so it never fills a file, holds the program up or ends it.
bool Open_Errors(Run_Job& job) {
  if (!Open_Pipe(job.errors_read, job.errors_write)) return false;
  fcntl(job.errors_write.fd, F_SETPIPE_SZ, ERRORS_PIPE);  // a smaller one drains as well
  return fcntl(job.errors_read.fd, F_SETFL, O_NONBLOCK) == 0;
}

// Takes what the program has written to standard error so far, keeping its
// last ERRORS_KEPT bytes at least. Once every writer is gone the pipe is
// closed: at its end it would wake the watch without pause.
void Drain(Run_Job& job) {
  if (job.errors_read.fd < 0) return;
  std::string& kept = job.run->errors;
  char chunk[65536];
  ssize_t n;
  while ((n = read(job.errors_read.fd, chunk, sizeof chunk)) > 0 || (n < 0 && errno == EINTR)) {
    kept.append(chunk, static_cast<size_t>(std::max<ssize_t>(n, 0)));
    if (kept.size() > 4 * ERRORS_KEPT) kept.erase(0, kept.size() - ERRORS_KEPT);
  }
  if (n == 0 || errno != EAGAIN) job.errors_read.Close();
}

// Forks the keeper, which starts the program; on failure the run ends as not
// started. Only the keeper and the program keep the pipes' writing ends: the
// pipes are made just before, so that no other run's keeper holds one open.
void Start(Run_Job& job, const Run_Signals& signals) {
  if (!Open_Pipe(job.exec_read, job.exec_write) || !Open_Pipe(job.report_read, job.report_write) ||
      !Open_Errors(job)) {
    job.run->end = {false, false, errno};
    job.ended = true;
    return;
  }
  Sample_Child child;
  child.args = Exec_Args(job.words);
  child.folder = job.request->folder.c_str();
  child.in = job.in.fd;
  child.out = job.out.fd;
  child.errors = job.errors_write.fd;
  child.exec_report = job.exec_write.fd;
  child.keeper_report = job.report_write.fd;
  child.crash_file = job.crash.fd;
  child.launcher = getpid();
  child.cap = job.request->cap + 1;
  child.memory = static_cast<unsigned long>(job.request->memory_bytes);
  child.program_mask = signals.program_mask;
  child.environment = &job.request->environment;
  job.keeper = fork();
  if (job.keeper == 0) Keep_Sample(child);
  int error = errno;
  job.exec_write.Close();
  job.report_write.Close();
  job.errors_write.Close();
  if (job.keeper < 0) {
    job.run->end = {false, false, error};
    job.ended = true;
  }
}

// Asks the keeper to end its program and all it started.
void Stop_Keeper(Run_Job& job, Sample_Stop why, long long wall) {
  if (job.run->stop != STOP_NONE) return;
  job.run->stop = why;
  job.run->wall_us = wall;
  kill(job.keeper, SIGTERM);
  kill(job.keeper, SIGCONT);  // should anything have stopped it
}

// The launcher is being ended (its terminal closed, say): the samples'
// processes and folders go first, then the launcher ends as the signal asks.
[[noreturn]] void End_With(std::vector<Run_Job>& jobs, int sig) {
  for (Run_Job& job : jobs) {
    if (job.keeper <= 0) continue;
    kill(job.keeper, SIGTERM);
    kill(job.keeper, SIGCONT);
    int status = 0;
    Wait_Child(job.keeper, status);
  }
  Reaped_Usage ignored;
  int status = 0;
  End_Descendants(ignored, -1, status);
  for (Run_Job& job : jobs) Remove_Tree(job.request->folder, nullptr);
  Raise_Default(sig);
  _exit(128 + sig);
}

// What the processes of a run use now, and whether its rule ends the run.
// Files need no look: the system holds them to the cap.
Sample_Stop Look(Run_Job& job, long long wall) {
  Sample_Run& run = *job.run;
  Tree_Usage usage = Tree_Of(job.keeper);
  run.cpu_us = std::max(run.cpu_us, usage.cpu_us);
  run.peak_bytes = std::max(run.peak_bytes, usage.bytes);
  Sample_Look look;
  look.wall_us = wall;
  look.cpu_us = usage.cpu_us;
  look.bytes = usage.bytes;
  look.stopped = usage.stopped;
  // Only a process that is there and waits makes a waiting program: one that
  // has just ended is not yet reaped.
  look.waiting = usage.waiting;
  look.running = usage.running;
  return job.request->rule ? job.request->rule(*job.request, look, job.mark) : STOP_NONE;
}

// Marks the runs whose keeper has ended (it is left unreaped); false once
// none is left.
bool Any_Running(std::vector<Run_Job>& jobs, long long wall) {
  bool running = false;
  for (Run_Job& job : jobs) {
    if (job.ended) continue;
    siginfo_t info{};
    // An error means nothing to wait for: reaping it tells how it ended.
    bool gone = waitid(P_PID, job.keeper, &info, WEXITED | WNOHANG | WNOWAIT) != 0
                    ? errno != EINTR
                    : info.si_pid == job.keeper;
    if (!gone) {
      running = true;
      continue;
    }
    job.ended = true;
    if (job.run->stop == STOP_NONE) job.run->wall_us = wall;
  }
  return running;
}

// Waits at most `us` for a signal of `set` or for standard error to come,
// draining what came; gives the signal, or 0.
int Wait_Event(std::vector<Run_Job>& jobs, const Run_Signals& signals, long long us) {
  std::vector<pollfd> waits = {{signals.signals.fd, POLLIN, 0}};
  for (Run_Job& job : jobs)
    if (job.errors_read.fd >= 0) waits.push_back({job.errors_read.fd, POLLIN, 0});
  timespec wait{static_cast<time_t>(us / 1000000), static_cast<long>(us % 1000000) * 1000};
  ppoll(waits.data(), waits.size(), &wait, nullptr);
  for (Run_Job& job : jobs) Drain(job);
  // The signal itself is taken here, so that without a signalfd (which only
  // wakes the wait) the watch merely wakes later.
  timespec now{0, 0};
  return std::max(sigtimedwait(&signals.set, nullptr, &now), 0);
}

// Waits, looking at the processes every LOOK_US, until every keeper has
// ended; a run past a limit, or all of them on Ctrl+C, are ended meanwhile.
void Watch(std::vector<Run_Job>& jobs, long long start, const Run_Signals& signals) {
  long long look = start + LOOK_US;
  while (Any_Running(jobs, Clock_Us() - start)) {
    long long now = Clock_Us();
    if (now >= look) {
      for (Run_Job& job : jobs) {
        if (job.ended || job.run->stop != STOP_NONE) continue;
        Sample_Stop stop = DEADLINE > 0 && now >= DEADLINE ? STOP_DEADLINE : Look(job, now - start);
        if (stop != STOP_NONE) Stop_Keeper(job, stop, now - start);
      }
      look = now + LOOK_US;
    }
    int sig = Wait_Event(jobs, signals, std::max(look - now, 1LL));
    if (sig == SIGTERM || sig == SIGHUP) End_With(jobs, sig);
    if (sig != SIGINT && sig != SIGQUIT) continue;
    for (Run_Job& job : jobs)
      if (!job.ended) Stop_Keeper(job, STOP_INTERRUPTED, Clock_Us() - start);
  }
}

// At most `most` bytes of the open file from `offset` on.
std::string Read_From(int fd, off_t offset, size_t most) {
  std::string bytes;
  // Its size at once: grown by doubling, a large output would be held twice over.
  struct stat st {};
  if (fstat(fd, &st) == 0 && st.st_size > offset)
    bytes.reserve(std::min(most, static_cast<size_t>(st.st_size - offset)));
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

// Reaps the keeper and takes its report; false when the keeper ended
// without one (the program killed it), so that what came to this process
// instead is the program's.
bool Reap(Run_Job& job) {
  Sample_Run& run = *job.run;
  int status = 0;
  Wait_Child(job.keeper, status);
  Keeper_Report report{0, 0, {}};
  bool told = read(job.report_read.fd, &report, sizeof report) == sizeof report;
  run.cpu_us = std::max(run.cpu_us, report.usage.cpu_us);
  run.peak_bytes = std::max(run.peak_bytes, report.usage.peak_kb * 1024);
  if (job.exec_error != 0)
    run.end = {false, false, job.exec_error};
  else if (!told || !report.reaped)
    run.end = {true, true, SIGKILL};  // ended with its keeper
  else
    run.end = End_Of(report.status);
  return told;
}

// Reaps every keeper, ends whatever came to this process instead (when a
// program killed its keeper), and reads the outputs.
void Collect(std::vector<Run_Job>& jobs) {
  std::vector<Run_Job*> untold;
  for (Run_Job& job : jobs)
    if (job.keeper > 0 && !Reap(job)) untold.push_back(&job);
  Reaped_Usage strays;
  int status = 0;
  End_Descendants(strays, -1, status);
  for (Run_Job* job : untold) {
    job->run->cpu_us += strays.cpu_us;
    job->run->peak_bytes = std::max(job->run->peak_bytes, strays.peak_kb * 1024);
  }
  for (Run_Job& job : jobs) {
    if (job.keeper <= 0) continue;
    job.run->output = Read_From(job.out.fd, 0, job.request->cap + 1);
    Drain(job);
    std::string& errors = job.run->errors;
    if (errors.size() > ERRORS_KEPT) errors.erase(0, errors.size() - ERRORS_KEPT);
    if (job.request->crash)
      Read_Stack_Bytes(Read_From(job.crash.fd, 0, CRASH_MOST), *job.request->crash);
  }
}

}  // namespace

void End_Runs_At(long long clock_us) {
  DEADLINE = clock_us;
}

void Hold_Interruptions(bool hold) {
  Keep_Interrupts();
  sigset_t set;
  sigemptyset(&set);
  for (int sig : STOP_SIGNALS) sigaddset(&set, sig);
  sigprocmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

bool Run_Samples(const std::vector<Sample_Request>& requests, std::vector<Sample_Run>& runs,
                 std::string* err) {
  runs.assign(requests.size(), Sample_Run{});
  std::vector<Run_Job> jobs(requests.size());
  for (size_t i = 0; i < requests.size(); ++i) {
    jobs[i].request = &requests[i];
    jobs[i].run = &runs[i];
    jobs[i].ended = requests[i].argv.empty();
    if (!jobs[i].ended && !Prepare(jobs[i], err)) return false;
  }
  // Orphans of the samples' processes come here when their keeper is gone.
  static const bool subreaper = prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;
  (void)subreaper;
  Run_Signals signals;
  if (STOP_ASKED) {  // checked once blocked: a later Ctrl+C waits for the watch
    STOP_ASKED = 0;
    for (Sample_Run& run : runs) {
      run.end = {true, false, 0};
      run.stop = STOP_INTERRUPTED;
    }
    return true;
  }
  long long start = Clock_Us();
  for (Run_Job& job : jobs)
    if (!job.ended) Start(job, signals);
  for (Run_Job& job : jobs) {
    if (job.keeper <= 0) continue;
    job.exec_error = Read_Report(job.exec_read.fd);  // it closes the descriptor
    job.exec_read.fd = -1;
  }
  Watch(jobs, start, signals);
  Collect(jobs);

  return true;
}
