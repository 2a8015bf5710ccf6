#include "e2e/piped_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

Piped_Run Run_Piped(const std::string& program, const std::string& folder, const std::string& input,
                    int timeout_ms) {
  return Run_Args({program}, folder, {}, input, timeout_ms);
}

Piped_Run Run_Args(const std::vector<std::string>& argv, const std::string& folder,
                   const std::map<std::string, std::string>& env, const std::string& input,
                   int timeout_ms) {
  Piped_Run run{-1, "", ""};
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0) return run;
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
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
    dup2(err[1], STDERR_FILENO);
    if (chdir(folder.c_str()) != 0) _exit(126);
    for (const char* name : {"TMUX", "DISPLAY", "WAYLAND_DISPLAY"}) unsetenv(name);
    for (const auto& [name, value] : env) {
      if (value.empty())
        unsetenv(name.c_str());
      else
        setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> args;
    for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  pollfd ready[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* copies[2] = {&run.out, &run.err};
  while (pid > 0 && (ready[0].fd >= 0 || ready[1].fd >= 0)) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || poll(ready, 2, static_cast<int>(left.count())) <= 0) break;
    for (int i = 0; i < 2; i++) {
      if (ready[i].fd < 0 || ready[i].revents == 0) continue;
      char bytes[4096];
      ssize_t n = read(ready[i].fd, bytes, sizeof bytes);
      if (n <= 0)
        ready[i].fd = -1;  // closed: the program has ended, or closed it
      else
        copies[i]->append(bytes, static_cast<size_t>(n));
    }
  }
  close(out[0]);
  close(err[0]);
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
