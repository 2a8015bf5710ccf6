#include "e2e/pty_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "process.h"
#include "test_text.h"

namespace {
using Clock = std::chrono::steady_clock;

int Ms_Left(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// The terminal turns each LF into CR LF; the screen keeps the program's LF.
void Append(Pty_Session& s, const char* bytes, size_t size) {
  for (size_t i = 0; i < size; i++) {
    char c = bytes[i];
    if (s.held_cr && c != '\n') s.screen += '\r';
    s.held_cr = c == '\r';
    if (!s.held_cr) s.screen += c;
  }
}

// Waits up to `timeout_ms` for output and takes what there is. False once the
// program's side of the terminal is closed and nothing is left to read.
bool Read_Some(Pty_Session& s, int timeout_ms) {
  pollfd ready{s.master, POLLIN, 0};
  int n = poll(&ready, 1, timeout_ms);
  if (n <= 0) return true;
  char bytes[4096];
  ssize_t got = read(s.master, bytes, sizeof bytes);
  if (got < 0 && (errno == EINTR || errno == EAGAIN)) return true;
  if (got <= 0) return false;  // EIO: every process on the terminal has gone
  Append(s, bytes, static_cast<size_t>(got));
  return true;
}

// The last part of the text, starting on a whole UTF-8 character.
std::string Tail(const std::string& text, size_t most) {
  if (text.size() <= most) return text;
  size_t from = text.size() - most;
  while (from < text.size() && (static_cast<unsigned char>(text[from]) & 0xC0) == 0x80) from++;
  return "..." + text.substr(from);
}

// Escaped on one line, for the list of steps.
std::string One_Line(const std::string& text) {
  std::string line;
  for (char c : Escaped(text))
    if (c != '\n') line += c;
  return line;
}

std::string Last_Steps(const Pty_Session& s) {
  std::string list = "last steps:\n";
  size_t from = s.steps.size() > 10 ? s.steps.size() - 10 : 0;
  for (size_t i = from; i < s.steps.size(); i++) list += "  " + s.steps[i] + "\n";
  return list;
}
}  // namespace

Pty_Session::~Pty_Session() {
  if (pid > 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  if (master >= 0) close(master);
}

bool Start(Pty_Session& s, const std::string& program, const std::string& folder,
           const std::map<std::string, std::string>& env, const std::vector<std::string>& args) {
  Spawn_Options options;
  options.folder = folder;
  options.terminal = true;
  options.env = {{"TMUX", ""},
                 {"DISPLAY", ""},
                 {"WAYLAND_DISPLAY", ""},
                 {"TERM", "xterm"},
                 {"LANG", "C.UTF-8"}};
  for (const auto& [name, value] : env) options.env[name] = value;
  std::vector<std::string> argv = {program};
  argv.insert(argv.end(), args.begin(), args.end());
  Child child = Spawn(argv, options);
  if (child.pid < 0) return false;
  close(child.in);  // the session types through its master
  s.pid = child.pid;
  s.master = child.out;
  s.steps.push_back("started " + program + " in " + folder);
  return true;
}

void Type(Pty_Session& s, const std::string& keys) {
  s.steps.push_back("typed \"" + One_Line(keys) + "\"");
  size_t done = 0;
  while (done < keys.size()) {
    ssize_t n = write(s.master, keys.data() + done, keys.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      s.steps.push_back("  (the terminal took no more input)");
      return;
    }
    done += static_cast<size_t>(n);
  }
}

void Send(Pty_Session& s, const std::string& line) {
  Type(s, line + "\r");  // Enter, which the terminal hands on as a line feed
}

::testing::AssertionResult Expect(Pty_Session& s, const std::string& text, int timeout_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  bool open = true;
  while (true) {
    size_t at = s.screen.find(text, s.seen);
    if (at != std::string::npos) {
      s.seen = at + text.size();
      s.steps.push_back("saw \"" + One_Line(Tail(text, 60)) + "\"");
      return ::testing::AssertionSuccess();
    }
    if (!open || Ms_Left(deadline) == 0) break;
    open = Read_Some(s, Ms_Left(deadline));
  }
  std::string why = open ? "not within " + std::to_string(timeout_ms) + " ms"
                         : "the program closed the terminal first";
  s.steps.push_back("expected \"" + One_Line(Tail(text, 60)) + "\": " + why);
  return ::testing::AssertionFailure()
         << "expected to see (" << why << "):\n"
         << Escaped(text) << "\n\nbut the screen since the last match shows:\n"
         << Escaped(Tail(s.screen.substr(s.seen), 3000)) << "\n\n"
         << Last_Steps(s);
}

bool Waits_For_A_Key(Pty_Session& s) {
  auto deadline = Clock::now() + std::chrono::seconds(5);
  while (true) {
    termios mode{};
    if (tcgetattr(s.master, &mode) == 0 && !(mode.c_lflag & (ICANON | ECHO))) return true;
    if (Ms_Left(deadline) == 0) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void Drain(Pty_Session& s) {
  while (true) {
    size_t before = s.screen.size();
    if (!Read_Some(s, 0) || s.screen.size() == before) return;
  }
}

std::string Transcript(const Pty_Session& s) {
  return "the screen ends with:\n" + Escaped(Tail(s.screen, 3000)) + "\n\n" + Last_Steps(s);
}

int Wait_Exit(Pty_Session& s, int timeout_ms) {
  if (s.pid <= 0) return s.status;
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (true) {
    int raw = 0;
    if (waitpid(s.pid, &raw, WNOHANG) == s.pid) {
      s.pid = -1;
      Drain(s);
      s.status = WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
      s.steps.push_back("ended with status " + std::to_string(s.status));
      return s.status;
    }
    if (Ms_Left(deadline) == 0) {
      kill(s.pid, SIGKILL);
      waitpid(s.pid, nullptr, 0);
      s.pid = -1;
      s.steps.push_back("killed: still running after " + std::to_string(timeout_ms) + " ms");
      return s.status = -1;
    }
    // Keep reading, so a program with output still to write is not held up.
    if (!Read_Some(s, 20)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::string Make_Temp_Folder() {
  char name[] = "/tmp/tws-e2e-XXXXXX";
  return mkdtemp(name) ? name : "";
}
