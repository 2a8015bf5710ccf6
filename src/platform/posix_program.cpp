// The platform layer on POSIX: starting other programs.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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

// The first program called `name` in the folders of the PATH; "" when none.
std::string Search_Path(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    size_t colon = folders.find(':', start);
    std::string folder = folders.substr(start, colon - start);
    std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
    if (Is_Program(candidate)) return candidate;
    if (colon == std::string::npos) return "";
    start = colon + 1;
  }
}

// The file to exec for argv[0]: as it stands when it holds a '/', else found
// on the PATH as execvp would; "" when there is none.
std::string Exec_Path(const std::string& name) {
  if (name.empty() || name.find('\0') != std::string::npos) return "";
  return name.find('/') != std::string::npos ? name : Search_Path(name);
}

// False when a word holds a NUL byte, which exec would silently cut it at.
bool Words_Are_Whole(const std::vector<std::string>& argv) {
  for (const std::string& word : argv)
    if (word.find('\0') != std::string::npos) return false;
  return true;
}
}  // namespace

Program_End Run_Program(const std::vector<std::string>& argv_in) {
  if (argv_in.empty() || !Words_Are_Whole(argv_in)) return {false, false, ENOENT};
  std::vector<std::string> argv = argv_in;
  argv[0] = Exec_Path(argv[0]);
  if (argv[0].empty()) return {false, false, ENOENT};
  std::vector<char*> args = Exec_Args(argv);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return {false, false, errno};
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
    Exec_Or_Report(args, report[1]);
  }
  int fork_error = errno;
  close(report[1]);
  Program_End end{false, false, fork_error};
  if (pid > 0) {
    int error = Read_Report(report[0]);
    int status = 0;
    bool waited = Wait_Child(pid, status);
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
  return end;
}

std::string Find_Program(const std::string& name) {
  if (name.empty()) return "";
  if (name.find('/') != std::string::npos) return Is_Program(name) ? name : "";
  if (Is_Program(name)) return "./" + name;
  return Search_Path(name);
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
