#include "e2e/piped_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

Piped_Run Run_Piped(const std::string& program, const std::string& folder, const std::string& input,
                    int timeout_ms, const std::vector<std::string>& args) {
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  Piped_Run run{-1, ""};
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0) return run;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]);
    close(in[1]);
    return run;
  }
  // The script is small enough for the pipe, so it is all there at once.
  bool written = write(in[1], input.data(), input.size()) == static_cast<ssize_t>(input.size());
  close(in[1]);
  pid_t pid = written ? fork() : -1;
  if (pid == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    if (chdir(folder.c_str()) != 0) _exit(126);
    for (const char* name : {"TMUX", "DISPLAY", "WAYLAND_DISPLAY"}) unsetenv(name);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (pid > 0) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd ready{out[0], POLLIN, 0};
    if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) break;
    char bytes[4096];
    ssize_t n = read(out[0], bytes, sizeof bytes);
    if (n <= 0) break;  // the program closed its output: it has ended
    run.out.append(bytes, static_cast<size_t>(n));
  }
  close(out[0]);
  int raw = 0;
  pid_t ended = pid > 0 ? waitpid(pid, &raw, WNOHANG) : -1;
  for (int i = 0; pid > 0 && ended == 0 && i < 100; i++) {
    usleep(10000);
    ended = waitpid(pid, &raw, WNOHANG);
  }
  if (ended != pid) {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    return run;
  }
  run.status = WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
  return run;
}
