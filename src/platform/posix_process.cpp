// Starting programs on POSIX: finding them, running them and waiting for
// them, or leaving them to run on their own; and how they ended.
#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix_internal.h"

std::vector<char*> Exec_Args(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
  args.push_back(nullptr);
  return args;
}

namespace {
// In a child: says why it cannot go on (errno) through `report`, and ends.
[[noreturn]] void Report_And_Exit(int report) {
  int error = errno;
  ssize_t n = write(report, &error, sizeof error);
  (void)n;  // the parent then sees no report and a status of 127
  _exit(127);
}
}  // namespace

// args[0] is a path (see Exec_Words): execv never searches, and never hands a
// file it cannot run to /bin/sh as a script, as execvp would.
[[noreturn]] void Exec_Or_Report(std::vector<char*>& args, int report) {
  execv(args[0], args.data());
  Report_And_Exit(report);
}

int Read_Report(int fd) {
  int error = 0;
  ssize_t n;
  do {
    n = read(fd, &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  close(fd);
  return n == static_cast<ssize_t>(sizeof error) ? error : 0;
}

Program_End End_Of(int status) {
  if (WIFSIGNALED(status)) return {true, true, WTERMSIG(status)};
  return {true, false, WEXITSTATUS(status)};
}

void Raise_Default(int sig) {
  signal(sig, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, sig);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(sig);
}

std::string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char* here = getcwd(nullptr, 0);
  std::string whole = here ? std::string(here) + "/" + path : path;
  std::free(here);
  return whole;
}

bool Wait_Child(pid_t pid, int& status) {
  pid_t waited;
  do {
    waited = waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  return waited == pid;
}

namespace {
bool Is_Program(const std::string& path) {
  return Path_Status(path) == PATH_FILE && access(path.c_str(), X_OK) == 0;
}

// `argv` with argv[0] the file to exec: as it stands when it holds a '/',
// else found on the PATH as execvp would. False when there is none, or when
// a word holds a NUL byte, which exec would silently cut it at.
bool Exec_Words(const std::vector<std::string>& argv, std::vector<std::string>& words) {
  for (const std::string& word : argv)
    if (word.find('\0') != std::string::npos) return false;
  if (argv.empty() || argv[0].empty()) return false;
  words = argv;
  if (argv[0].find('/') != std::string::npos) return true;
  std::vector<std::string> found = Programs_In(Path_Folders(), argv[0]);
  if (found.empty()) return false;
  words[0] = found.front();
  return true;
}

// As system() does: while it lives, Ctrl+C and Ctrl+\ are ignored here, as
// they are the running program's business; a child gets back what was there.
struct Interrupts_Ignored {
  struct sigaction old_int, old_quit;
  Interrupts_Ignored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGINT, &ignore, &old_int);
    sigaction(SIGQUIT, &ignore, &old_quit);
  }
  Interrupts_Ignored(const Interrupts_Ignored&) = delete;
  Interrupts_Ignored& operator=(const Interrupts_Ignored&) = delete;
  ~Interrupts_Ignored() { Restore(); }
  void Restore() const {
    sigaction(SIGINT, &old_int, nullptr);
    sigaction(SIGQUIT, &old_quit, nullptr);
  }
};

// How a child that was waited for (or not) ended.
Program_End End_Of(bool waited, int status) {
  if (!waited) return {true, false, 127};
  return ::End_Of(status);
}
}  // namespace

Program_End Run_Child(const std::vector<std::string>& argv, const std::string& folder, Fd* out,
                      Fd* errors, const While_Running& during, std::string* err,
                      Crash_Watch* watch) {
  std::vector<std::string> words;
  if (!Exec_Words(argv, words) || folder.find('\0') != std::string::npos)
    return Not_Started(ENOENT, err);
  if (!folder.empty()) words[0] = Absolute(words[0]);  // named from here, started there
  std::vector<char*> args = Exec_Args(words);
  Fd report, report_child;
  if (!Open_Pipe(report, report_child)) return Not_Started(errno, err);
  if (watch) Open_Gate(*watch);
  Interrupts_Ignored ignored;
  pid_t pid = fork();
  if (pid == 0) {
    ignored.Restore();
    if (out) dup2(out->fd, STDOUT_FILENO);
    if (errors) dup2(errors->fd, STDERR_FILENO);
    if (!folder.empty() && chdir(folder.c_str()) != 0) Report_And_Exit(report_child.fd);
    if (watch) Pass_Gate(*watch);
    Exec_Or_Report(args, report_child.fd);
  }
  int fork_error = errno;
  if (watch) Watch_Child(*watch, pid);
  report_child.Close();
  // Only the child may hold the writing ends, or their end would never come.
  if (out) out->Close();
  if (errors) errors->Close();
  if (pid < 0) return Not_Started(fork_error, err);
  int error = Read_Report(report.fd);
  report.fd = -1;  // Read_Report closed it
  int status = 0;
  bool reaped = false;
  if (error == 0 && during) during(pid, status, reaped);
  bool waited = reaped;
  while (!waited && Wait_Child(pid, status)) waited = !(watch && Serve_Stop(*watch, status));
  if (error != 0) return Not_Started(error, err);
  return End_Of(waited, status);
}

Program_End Run_Program(const std::vector<std::string>& argv, std::string* err) {
  return Run_Child(argv, "", nullptr, nullptr, nullptr, err);
}

namespace {
// Closes every descriptor from 3 up but `keep`, so that a program left
// running holds none of ours open (a pipe that someone waits to see end).
void Close_Inherited(int keep) {
#ifdef SYS_close_range
  // One call each side of `keep` where the kernel has it (Linux 5.9 on).
  unsigned from = 3, around = static_cast<unsigned>(keep);
  if ((around == from || syscall(SYS_close_range, from, around - 1, 0) == 0) &&
      syscall(SYS_close_range, around + 1, ~0U, 0) == 0)
    return;
#endif
  long most = sysconf(_SC_OPEN_MAX);
  if (most < 0 || most > 65536) most = 65536;
  for (int fd = 3; fd < most; fd++)
    if (fd != keep) close(fd);
}

// Start_Detached; `background` also gives the program the lowest priority
// and closes what it would inherit of ours.
bool Start_Apart(const std::vector<std::string>& argv, bool background, std::string* err) {
  std::vector<std::string> words;
  if (!Exec_Words(argv, words)) return Fail(err, FAILURE_NOT_FOUND, DOING_START);
  std::vector<char*> args = Exec_Args(words);
  Fd report, report_child;
  if (!Open_Pipe(report, report_child)) return Fail_Errno(err, DOING_START);
  // Fork twice: the middle child ends at once and is reaped here, and the
  // program, left without a parent, is reaped by init when it ends.
  pid_t pid = fork();
  if (pid == 0) {
    pid_t program = fork();
    if (program < 0) Report_And_Exit(report_child.fd);
    if (program > 0) _exit(0);
    setsid();  // its own session: closing this console does not end it
    int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) dup2(null, fd);
    }
    if (background) {
      Close_Inherited(report_child.fd);
      if (nice(19) == -1) errno = 0;  // already as low as it goes is no failure
    }
    Exec_Or_Report(args, report_child.fd);
  }
  if (pid < 0) return Fail_Errno(err, DOING_START);
  report_child.Close();
  // The report pipe ends without a word when exec succeeds, and with why
  // when either the exec or the middle child's fork fails.
  int error = Read_Report(report.fd);
  report.fd = -1;
  int status = 0;
  bool waited = Wait_Child(pid, status);
  if (error != 0) return Fail_Code(err, error, DOING_START);
  // A middle child that ended any other way has left no program behind.
  return (waited && WIFEXITED(status) && WEXITSTATUS(status) == 0) ||
         Fail_Code(err, ECHILD, DOING_START);
}
}  // namespace

bool Start_Detached(const std::vector<std::string>& argv, std::string* err) {
  return Start_Apart(argv, false, err);
}

bool Start_Background(const std::vector<std::string>& argv, std::string* err) {
  return Start_Apart(argv, true, err);
}

std::string Find_Program(const std::string& name) {
  if (name.empty()) return "";
  if (name.find('/') != std::string::npos) return Is_Program(name) ? name : "";
  if (Is_Program(name)) return "./" + name;
  std::vector<std::string> found = Programs_In(Path_Folders(), name);
  return found.empty() ? "" : found.front();
}

std::vector<std::string> Programs_In(const std::vector<std::string>& folders,
                                     const std::string& name) {
  std::vector<std::string> found;
  for (const std::string& folder : folders) {
    std::string candidate = folder + "/" + name;
    if (Is_Program(candidate)) found.push_back(candidate);
  }
  return found;
}

std::string Signal_Name(int number) {
  static const struct {
    int number;
    const char* name;
  } NAMES[] = {{SIGHUP, "SIGHUP"},   {SIGINT, "SIGINT"},   {SIGQUIT, "SIGQUIT"},
               {SIGILL, "SIGILL"},   {SIGTRAP, "SIGTRAP"}, {SIGABRT, "SIGABRT"},
               {SIGBUS, "SIGBUS"},   {SIGFPE, "SIGFPE"},   {SIGKILL, "SIGKILL"},
               {SIGUSR1, "SIGUSR1"}, {SIGSEGV, "SIGSEGV"}, {SIGUSR2, "SIGUSR2"},
               {SIGPIPE, "SIGPIPE"}, {SIGALRM, "SIGALRM"}, {SIGTERM, "SIGTERM"},
               {SIGXCPU, "SIGXCPU"}, {SIGXFSZ, "SIGXFSZ"}, {SIGSYS, "SIGSYS"}};
  for (const auto& signal : NAMES)
    if (signal.number == number) return signal.name;
  return "";
}
