// The platform layer on POSIX: starting other programs.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix_internal.h"

// The argv array that exec wants; it points into `argv`, which must outlive it.
std::vector<char*> Exec_Args(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
  args.push_back(nullptr);
  return args;
}

// Runs in the child after fork: exec, or report why not through `report`.
// args[0] is a path (see Exec_Path): execv never searches, and never hands a
// file it cannot run to /bin/sh as a script, as execvp would.
[[noreturn]] void Exec_Or_Report(std::vector<char*>& args, int report) {
  execv(args[0], args.data());
  int error = errno;
  ssize_t n = write(report, &error, sizeof error);
  (void)n;  // the parent then sees no report and a status of 127
  _exit(127);
}

// Waits for the exec report on `fd` and closes it: 0 when exec succeeded.
int Read_Report(int fd) {
  int error = 0;
  ssize_t n;
  do {
    n = read(fd, &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  close(fd);
  return n == static_cast<ssize_t>(sizeof error) ? error : 0;
}

// Waits for the child, resuming after a signal; false when it cannot be waited for.
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

// The file to exec for argv[0]: as it stands when it holds a '/', else found
// on the PATH as execvp would; "" when there is none.
std::string Exec_Path(const std::string& name) {
  if (name.empty() || name.find('\0') != std::string::npos) return "";
  if (name.find('/') != std::string::npos) return name;
  std::vector<std::string> found = Programs_In(Path_Folders(), name);
  return found.empty() ? "" : found.front();
}

// False when a word holds a NUL byte, which exec would silently cut it at.
bool Words_Are_Whole(const std::vector<std::string>& argv) {
  for (const std::string& word : argv)
    if (word.find('\0') != std::string::npos) return false;
  return true;
}

// What is done here while a child runs: it may reap the child itself, and
// then says so with `reaped` and leaves its status in `status`.
using While_Running = void (*)(pid_t pid, Relay_Channel* channels, int& status, bool& reaped);

// Runs argv[0] with the rest as its arguments and waits for it. With
// `channels`, its standard output and error are their child ends, and
// `during` runs here while it does. With a stack in `watch`, it is watched
// for a crash.
Program_End Run_Child(const std::vector<std::string>& argv_in, Relay_Channel* channels,
                      While_Running during, Crash_Watch watch = {}) {
  if (argv_in.empty() || !Words_Are_Whole(argv_in)) return {false, false, ENOENT};
  std::vector<std::string> argv = argv_in;
  argv[0] = Exec_Path(argv[0]);
  if (argv[0].empty()) return {false, false, ENOENT};
  std::vector<char*> args = Exec_Args(argv);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return {false, false, errno};
  Open_Gate(watch);
  // As system() does: while the program runs, Ctrl+C and Ctrl+\ are its
  // business, and the child gets back what the caller had before.
  struct sigaction ignore {
  }, old_int, old_quit;
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGINT, &ignore, &old_int);
  sigaction(SIGQUIT, &ignore, &old_quit);
  pid_t pid = fork();
  if (pid == 0) {
    sigaction(SIGINT, &old_int, nullptr);
    sigaction(SIGQUIT, &old_quit, nullptr);
    close(report[0]);
    if (channels) {
      dup2(channels[0].child, STDOUT_FILENO);
      dup2(channels[1].child, STDERR_FILENO);
    }
    Pass_Gate(watch);
    Exec_Or_Report(args, report[1]);
  }
  int fork_error = errno;
  Watch_Child(watch, pid);
  close(report[1]);
  // Only the child may hold the writing ends, or their end would never come.
  for (int i = 0; channels && i < 2; i++) {
    close(channels[i].child);
    channels[i].child = -1;
  }
  Program_End end{false, false, fork_error};
  if (pid > 0) {
    int error = Read_Report(report[0]);
    int status = 0;
    bool reaped = false;
    if (error == 0 && during) during(pid, channels, status, reaped);
    bool waited = reaped;
    while (!waited && Wait_Child(pid, status)) waited = !Serve_Stop(watch, status);
    if (error != 0)
      end = {false, false, error};
    else if (!waited)
      end = {true, false, 127};
    else if (WIFSIGNALED(status))
      end = {true, true, WTERMSIG(status)};
    else
      end = {true, false, WEXITSTATUS(status)};
  } else {
    close(report[0]);
  }
  sigaction(SIGINT, &old_int, nullptr);
  sigaction(SIGQUIT, &old_quit, nullptr);
  Finish_Watch(watch, end);
  return end;
}

// ---- Relaying a program's output -----------------------------------------------

const size_t COPY_LIMIT = 8 << 20;  // bytes of each stream kept in the copy

// Reads what waits on the channel, passes it on and keeps a copy; false once
// the program's side is closed (a pipe's end, or EIO from a terminal).
bool Relay_Some(Relay_Channel& channel) {
  char buffer[16384];
  ssize_t n = read(channel.read, buffer, sizeof buffer);
  if (n < 0 && errno == EINTR) return true;
  if (n <= 0) return false;
  size_t got = static_cast<size_t>(n);
  if (channel.target >= 0) Write_Fd(channel.target, buffer, got);
  std::string& copy = *channel.copy;
  if (copy.size() < COPY_LIMIT) copy.append(buffer, std::min(got, COPY_LIMIT - copy.size()));
  return true;
}

// Relays both channels until the program's side of each is closed, or until
// the program has ended and nothing more comes: something it started may
// still hold a channel open, and must not keep us waiting. Our ends are
// closed when it stops, so that nothing can block on a channel no one reads.
void Relay_Until_End(pid_t pid, Relay_Channel* channels, int& status, bool& reaped) {
  pollfd ready[2] = {{channels[0].read, POLLIN, 0}, {channels[1].read, POLLIN, 0}};
  int open = 2;
  while (open > 0) {
    int n = poll(ready, 2, 100);
    if ((n < 0 && errno != EINTR) || (n == 0 && reaped)) break;
    if (n == 0) reaped = waitpid(pid, &status, WNOHANG) == pid;
    for (int i = 0; n > 0 && i < 2; i++) {
      if (ready[i].fd < 0 || ready[i].revents == 0) continue;
      if (!Relay_Some(channels[i])) {
        ready[i].fd = -1;
        open--;
      }
    }
  }
  for (int i = 0; i < 2; i++) {
    close(channels[i].read);
    channels[i].read = -1;
  }
}
// Runs argv with its output relayed to `out_target` and `err_target` (-1:
// to nowhere), copies kept.
Program_End Relay_To(const std::vector<std::string>& argv, int out_target, int err_target,
                     std::string& out, std::string& err) {
  Relay_Channel channels[2];
  if (!Open_Relay_Channel(out_target, channels[0]) ||
      !Open_Relay_Channel(err_target, channels[1])) {
    int error = errno;
    Close_Relay_Channel(channels[0]);
    Close_Relay_Channel(channels[1]);
    return {false, false, error};
  }
  channels[0].copy = &out;
  channels[1].copy = &err;
  Program_End end = Run_Child(argv, channels, Relay_Until_End);
  Close_Relay_Channel(channels[0]);
  Close_Relay_Channel(channels[1]);
  return end;
}
}  // namespace

Program_End Relay_Program(const std::vector<std::string>& argv, std::string& out,
                          std::string& err) {
  return Relay_To(argv, STDOUT_FILENO, STDERR_FILENO, out, err);
}

Program_End Run_Quietly(const std::vector<std::string>& argv, std::string& out) {
  std::string ignored;
  return Relay_To(argv, -1, -1, out, ignored);
}

Program_End Run_Program(const std::vector<std::string>& argv, Crash_Stack* crash) {
  Crash_Watch watch;
  watch.stack = crash;
  return Run_Child(argv, nullptr, nullptr, watch);
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

bool Start_Detached(const std::vector<std::string>& argv_in) {
  if (argv_in.empty() || !Words_Are_Whole(argv_in)) return false;
  std::vector<std::string> argv = argv_in;
  argv[0] = Exec_Path(argv[0]);
  if (argv[0].empty()) return false;
  std::vector<char*> args = Exec_Args(argv);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  // Fork twice: the middle child ends at once and is reaped here, and the
  // program, left without a parent, is reaped by init when it ends.
  pid_t pid = fork();
  if (pid == 0) {
    close(report[0]);
    pid_t program = fork();
    if (program != 0) _exit(program < 0 ? 1 : 0);
    setsid();  // its own session: closing this console does not end it
    int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
    }
    Exec_Or_Report(args, report[1]);
  }
  close(report[1]);
  if (pid < 0) {
    close(report[0]);
    return false;
  }
  // The report pipe ends without a word when exec succeeds; a middle child
  // that could not fork closes it without a word too, so check it as well.
  int error = Read_Report(report[0]);
  int status = 0;
  return Wait_Child(pid, status) && error == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
