// Relaying a program's output on POSIX: each of its streams comes through a
// pseudo-terminal when ours is a terminal, so that it sees one and writes as
// it would without us, otherwise through a pipe.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/posix_internal.h"

namespace {
const size_t COPY_LIMIT = 8 << 20;  // bytes of each stream kept in the copy

// One of a program's output streams on its way to one of ours.
struct Relay_Channel {
  int target = -1;              // our descriptor that the bytes go on to
  Fd read;                      // where they are read here
  Fd child;                     // what the program writes to
  std::string* copy = nullptr;  // where a copy of the bytes is kept
  // While set, the bytes are only kept until the program ends, and then this
  // says whether they go on; `silent` once it said no.
  const Relay_Gate* gate = nullptr;
  bool silent = false;
};

// A pseudo-terminal whose other side is shaped like `target`: the same size,
// and no output processing, so that the bytes read here are the bytes written
// there. False when the system has none to give.
bool Open_Terminal(int target, Relay_Channel& channel) {
  Fd master(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (master.fd < 0) return false;
  const char* name =
      grantpt(master.fd) == 0 && unlockpt(master.fd) == 0 ? ptsname(master.fd) : nullptr;
  Fd slave(name ? open(name, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1);
  if (slave.fd < 0) return false;
  struct termios mode;
  if (tcgetattr(slave.fd, &mode) == 0) {
    mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tcsetattr(slave.fd, TCSANOW, &mode);
  }
  struct winsize size;
  if (ioctl(target, TIOCGWINSZ, &size) == 0) ioctl(slave.fd, TIOCSWINSZ, &size);
  std::swap(channel.read.fd, master.fd);
  std::swap(channel.child.fd, slave.fd);
  return true;
}

// Makes the channel to `target`; false, with errno set, when it cannot.
bool Open_Channel(int target, std::string* copy, Relay_Channel& channel) {
  channel.target = target;
  channel.copy = copy;
  channel.silent = target < 0;  // no target: the copy alone is kept
  if (isatty(target) && Open_Terminal(target, channel)) return true;
  return Open_Pipe(channel.read, channel.child);
}

// Asks the gate about all that was held back, and passes it on when it agrees.
void Open_Gate(Relay_Channel& channel, const Program_End& end) {
  const std::string& held = *channel.copy;
  channel.silent = !(*channel.gate)(held, end);
  channel.gate = nullptr;
  if (!channel.silent) Write_Fd(channel.target, held.data(), held.size());
}

// Reads what waits on the channel, passes it on and keeps a copy; false once
// the program's side is closed (a pipe's end, or EIO from a terminal).
bool Relay_Some(Relay_Channel& channel) {
  char buffer[16384];
  ssize_t n = read(channel.read.fd, buffer, sizeof buffer);
  if (n < 0 && errno == EINTR) return true;
  if (n <= 0) return false;
  size_t got = static_cast<size_t>(n);
  std::string& copy = *channel.copy;
  if (copy.size() < COPY_LIMIT) copy.append(buffer, std::min(got, COPY_LIMIT - copy.size()));
  if (channel.gate) {
    if (copy.size() >= COPY_LIMIT) Open_Gate(channel, Program_End{false, false, 0});
  } else if (!channel.silent) {
    Write_Fd(channel.target, buffer, got);
  }
  return true;
}

// Relays both channels until the program's side of each is closed, or until
// the program has ended and nothing more comes: something it started may
// still hold a channel open, and must not keep us waiting. Our ends are
// closed when it stops, so that nothing can block on a channel no one reads.
void Relay_Until_End(pid_t pid, Relay_Channel* channels, int& status, bool& reaped) {
  pollfd ready[2] = {{channels[0].read.fd, POLLIN, 0}, {channels[1].read.fd, POLLIN, 0}};
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
  for (int i = 0; i < 2; i++) channels[i].read.Close();
}

// Runs argv with its output relayed to `out_target` and `errors_target` (-1:
// to nowhere), copies kept, standard error through the gate `passes` if any.
Program_End Relay_To(const std::vector<std::string>& argv, int out_target, int errors_target,
                     std::string& out, std::string& errors, const Relay_Gate& passes,
                     std::string* err) {
  Relay_Channel channels[2];
  if (!Open_Channel(out_target, &out, channels[0]) ||
      !Open_Channel(errors_target, &errors, channels[1])) {
    int error = errno;
    return Not_Started(error, err);
  }
  if (passes) channels[1].gate = &passes;
  Program_End end = Run_Child(
      argv, "", &channels[0].child, &channels[1].child,
      [&](pid_t pid, int& status, bool& reaped) { Relay_Until_End(pid, channels, status, reaped); },
      err);
  if (channels[1].gate) Open_Gate(channels[1], end);
  return end;
}
}  // namespace

Program_End Relay_Program(const std::vector<std::string>& argv, std::string& out,
                          std::string& errors, std::string* err, const Relay_Gate& passes) {
  return Relay_To(argv, STDOUT_FILENO, STDERR_FILENO, out, errors, passes, err);
}

Program_End Run_Quietly(const std::vector<std::string>& argv, std::string& out, std::string* err) {
  std::string ignored;
  return Relay_To(argv, -1, -1, out, ignored, {}, err);
}
