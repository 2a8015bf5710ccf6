#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

int Ms_Left(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// In the child: its folder and environment, then the program.
[[noreturn]] void Exec(const std::vector<std::string>& argv, const Spawn_Options& options) {
  if (!options.folder.empty() && chdir(options.folder.c_str()) != 0) _exit(126);
  for (const auto& [name, value] : options.env) {
    if (value.empty())
      unsetenv(name.c_str());
    else
      setenv(name.c_str(), value.c_str(), 1);
  }
  std::vector<char*> args;
  for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}
}  // namespace

Child Spawn(const std::vector<std::string>& argv, const Spawn_Options& options) {
  // A program that ended early must not end the test when it is written to.
  signal(SIGPIPE, SIG_IGN);
  Child child;
  if (options.terminal) {
    winsize size{};
    size.ws_row = 40;
    size.ws_col = 120;
    int master = -1;
    child.pid = forkpty(&master, nullptr, nullptr, &size);
    if (child.pid == 0) {
      if (options.raw) {
        termios mode;
        tcgetattr(STDIN_FILENO, &mode);
        cfmakeraw(&mode);
        tcsetattr(STDIN_FILENO, TCSANOW, &mode);
      }
      Exec(argv, options);
    }
    if (child.pid < 0) return child;
    fcntl(master, F_SETFD, FD_CLOEXEC);
    child.out = master;
    child.in = dup(master);
    fcntl(child.in, F_SETFD, FD_CLOEXEC);
    return child;
  }
  int in[2] = {-1, -1}, out[2] = {-1, -1}, err[2] = {-1, -1};
  if (!options.detached && (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)) return child;
  if (options.errors == ERRORS_APART && pipe2(err, O_CLOEXEC) != 0) return child;
  child.pid = fork();
  if (child.pid == 0) {
    int null = open("/dev/null", O_RDWR);
    int input = options.detached ? null : in[0], output = options.detached ? null : out[1];
    if (!options.input_file.empty()) input = open(options.input_file.c_str(), O_RDONLY);
    if (!options.output_file.empty())
      output = open(options.output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (input < 0 || output < 0) _exit(126);
    dup2(input, STDIN_FILENO);
    dup2(output, STDOUT_FILENO);
    if (options.errors == ERRORS_JOINED) dup2(output, STDERR_FILENO);
    if (options.errors == ERRORS_APART) dup2(err[1], STDERR_FILENO);
    Exec(argv, options);
  }
  if (!options.detached) {
    if (options.watch_input) child.input_reader = fcntl(in[0], F_DUPFD_CLOEXEC, 0);
    close(in[0]);
    close(out[1]);
    child.in = in[1];
    child.out = out[0];
  }
  if (err[1] >= 0) close(err[1]);
  child.err = err[0];
  return child;
}

bool Write_Input(Child& child, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(child.in, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

int Take_Unread_Input(Child& child) {
  int unread = -1;
  if (child.input_reader >= 0 && ioctl(child.input_reader, FIONREAD, &unread) != 0) unread = -1;
  if (child.input_reader >= 0) close(child.input_reader);
  child.input_reader = -1;
  return unread;
}

void Close_Input(Child& child) {
  if (child.in >= 0) close(child.in);
  child.in = -1;
}

int Read_Output(Child& child, std::string& out, int timeout_ms) {
  if (child.out < 0) return -1;
  pollfd ready{child.out, POLLIN, 0};
  int n = poll(&ready, 1, timeout_ms);
  if (n < 0 && errno == EINTR) return 0;
  if (n <= 0) return 0;
  char bytes[4096];
  ssize_t got = read(child.out, bytes, sizeof bytes);
  if (got < 0 && (errno == EINTR || errno == EAGAIN)) return 0;
  if (got <= 0) return -1;  // a terminal answers EIO once every process on it has gone
  out.append(bytes, static_cast<size_t>(got));
  return 1;
}

int Wait_End(Child& child, std::string& out, int timeout_ms, long* peak_kb, std::string* err) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  int raw = 0;
  rusage usage{};
  pid_t ended = 0;
  // Its end wakes the wait at once, so a benchmark sees its true time.
  // (glibc 2.36's <sys/pidfd.h> is not usable from C++, so by its number.)
  int end_fd = child.pid > 0 ? static_cast<int>(syscall(SYS_pidfd_open, child.pid, 0)) : -1;
  std::string ignored;
  Child errors;  // its standard error, read as an output of its own
  errors.out = child.err;
  while (child.pid > 0 && (ended = wait4(child.pid, &raw, WNOHANG, &usage)) == 0) {
    if (Ms_Left(deadline) == 0) {
      kill(child.pid, SIGKILL);
      wait4(child.pid, &raw, 0, &usage);
      break;
    }
    // Keep reading, so a program with output still to write is not held up.
    pollfd ready[3] = {{child.out, POLLIN, 0}, {errors.out, POLLIN, 0}, {end_fd, POLLIN, 0}};
    if (poll(ready, 3, end_fd >= 0 ? Ms_Left(deadline) : 1) <= 0) continue;
    Child* streams[2] = {&child, &errors};
    std::string* into[2] = {&out, err ? err : &ignored};
    for (int i = 0; i < 2; i++) {
      if (ready[i].revents == 0 || Read_Output(*streams[i], *into[i], 0) >= 0) continue;
      close(streams[i]->out);  // that output has ended; only its end is left to wait for
      streams[i]->out = -1;
    }
  }
  if (end_fd >= 0) close(end_fd);
  while (Read_Output(child, out, 0) > 0) {
  }
  while (Read_Output(errors, err ? *err : ignored, 0) > 0) {
  }
  Close_Input(child);
  for (int fd : {child.out, errors.out})
    if (fd >= 0) close(fd);
  child.out = child.err = -1;
  child.pid = -1;
  if (peak_kb) *peak_kb = usage.ru_maxrss;
  if (ended <= 0) return -1;
  return WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
}

Process_Run Run_Process(const std::vector<std::string>& argv, const Spawn_Options& options,
                        const std::string& input, int timeout_ms) {
  Process_Run run{-1, "", ""};
  Child child = Spawn(argv, options);
  if (child.pid < 0) return run;
  // Written a piece at a time while reading, so that neither side waits for the other.
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  size_t done = 0;
  while (done < input.size() && Ms_Left(deadline) > 0) {
    pollfd ready{child.in, POLLOUT, 0};
    if (poll(&ready, 1, 20) > 0) {
      ssize_t n = write(child.in, input.data() + done, std::min<size_t>(4096, input.size() - done));
      if (n <= 0 && errno != EINTR && errno != EAGAIN) break;
      if (n > 0) done += static_cast<size_t>(n);
    }
    Read_Output(child, run.out, 0);
  }
  if (!options.terminal) Close_Input(child);
  run.status = Wait_End(child, run.out, Ms_Left(deadline), nullptr, &run.err);
  return run;
}
