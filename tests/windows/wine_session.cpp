#include "wine_session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const WINE = "/usr/lib/wine/wine64";
const std::string PREFIX = TWS_WINE_PREFIX;  // throwaway, in the build tree
const std::string RUNS = TWS_WINE_RUNS;      // the tests' working folders

// The environment every Wine process gets: Chinese locale, so that Wine uses
// code page 936 as Chinese Windows does; no display, so nothing opens a window.
void Wine_Environment() {
  setenv("WINEPREFIX", PREFIX.c_str(), 1);
  setenv("WINEDEBUG", "-all", 1);
  setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
  setenv("LANG", "zh_CN.UTF-8", 1);
  setenv("LC_ALL", "zh_CN.UTF-8", 1);
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
}

[[noreturn]] void Exec(const std::vector<std::string>& argv, const std::string& folder) {
  Wine_Environment();
  if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

pid_t Spawn(const std::vector<std::string>& argv, const std::string& folder, int in, int out) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  // Without pipes of its own, nothing started here (wineserver above all,
  // which outlives it) may hold on to the test's output.
  int null = open("/dev/null", O_RDWR);
  dup2(in >= 0 ? in : null, 0);
  dup2(out >= 0 ? out : null, 1);
  dup2(out >= 0 ? out : null, 2);
  Exec(argv, folder);
}

int Wait_Status(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Ends this run's wineserver, and with it every Wine process of the run.
class Wine_Cleanup : public testing::Environment {
 public:
  void TearDown() override {
    if (!fs::exists(PREFIX)) return;
    pid_t pid = Spawn({"/usr/lib/wine/wineserver", "-k"}, "", -1, -1);
    Wait_Status(pid);
  }
};
testing::Environment* const CLEANUP = testing::AddGlobalTestEnvironment(new Wine_Cleanup);

// 1: something was read; 0: nothing came within `ms`; -1: the output ended.
int Read_Some(Session& s, int ms) {
  pollfd p = {s.out, POLLIN, 0};
  if (poll(&p, 1, ms) <= 0) return 0;
  char buffer[4096];
  ssize_t got = read(s.out, buffer, sizeof buffer);
  if (got <= 0) return -1;
  s.output.append(buffer, got);
  return 1;
}

}  // namespace

bool Under_CI() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string(ci) == "true";
}

std::string Windows_Build(const std::string& name) {
  return std::string(TWS_SOURCE_DIR) + "/build-windows/" + name;
}

std::string Wine_Missing() {
  static std::string missing = [] {
    if (access(WINE, X_OK) != 0)
      return std::string(WINE) + " is missing: install wine and wine64 (scripts/windows-deps)";
    if (!fs::exists(Windows_Build("tarnwickstone.exe")) ||
        !fs::exists(Windows_Build("tests/windows/doubles/probe.exe")))
      return std::string("the Windows build is missing: cmake --workflow --preset windows");
    std::error_code ignored;
    fs::remove_all(PREFIX, ignored);
    fs::remove_all(RUNS, ignored);
    int status = Wait_Status(Spawn({WINE, "wineboot", "-i"}, "", -1, -1));
    if (status != 0) return "wineboot failed with status " + std::to_string(status);
    return std::string();
  }();
  return missing;
}

std::string Fresh_Folder(const std::string& test) {
  static int count = 0;
  std::string folder = RUNS + "/测试 文件夹 " + test + "-" + std::to_string(++count);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

std::string Windows_Path(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

Session Start(const std::string& exe, const std::vector<std::string>& args,
              const std::string& folder) {
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return Session();
  std::vector<std::string> argv = {WINE, exe};
  argv.insert(argv.end(), args.begin(), args.end());
  Session s;
  s.pid = Spawn(argv, folder, in[0], out[1]);
  close(in[0]);
  close(out[1]);
  s.in = in[1];
  s.out = out[0];
  signal(SIGPIPE, SIG_IGN);  // a program that ended early must not end the test
  return s;
}

Session Start_In_Terminal(const std::string& exe, const std::string& folder) {
  Session s;
  s.terminal = true;
  winsize size = {};
  size.ws_col = 120;
  size.ws_row = 40;
  int master = -1;
  s.pid = forkpty(&master, nullptr, nullptr, &size);
  if (s.pid == 0) {
    // Raw from the start, as Wine's console sets it anyway once it reads:
    // typed bytes must not be echoed or turned into other bytes before then.
    termios mode;
    tcgetattr(0, &mode);
    cfmakeraw(&mode);
    tcsetattr(0, TCSANOW, &mode);
    Exec({WINE, exe}, folder);
  }
  s.out = master;
  s.in = dup(master);
  return s;
}

std::string Visible(const std::string& output) {
  std::string shown;
  for (size_t i = 0; i < output.size(); ++i) {
    if (output[i] == '\x1b' && i + 1 < output.size() && output[i + 1] == '[') {
      i += 2;  // a control sequence: up to its final byte
      while (i < output.size() && !(output[i] >= 0x40 && output[i] <= 0x7E)) ++i;
    } else if (output[i] == '\x1b' && i + 1 < output.size() && output[i + 1] == ']') {
      while (i < output.size() && output[i] != '\a') ++i;  // a title, up to its BEL
    } else if (output[i] != '\r') {
      shown += output[i];
    }
  }
  return shown;
}

testing::AssertionResult Expect(Session& s, const std::string& text, int seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  size_t at;
  while ((at = (s.terminal ? Visible(s.output) : s.output).find(text, s.seen)) ==
         std::string::npos) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0 || Read_Some(s, static_cast<int>(left.count())) < 0)
      return testing::AssertionFailure()
             << "waited for: " << Escaped(text) << "\nbut got: "
             << Escaped((s.terminal ? Visible(s.output) : s.output).substr(s.seen));
  }
  s.seen = at + text.size();
  return testing::AssertionSuccess();
}

void Send(Session& s, const std::string& bytes) {
  ssize_t ignored = write(s.in, bytes.data(), bytes.size());
  (void)ignored;
}

int Finish(Session& s, int seconds) {
  if (s.in >= 0) close(s.in);
  s.in = -1;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  pid_t done = 0;
  while ((done = waitpid(s.pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < end)
    if (Read_Some(s, 50) < 0) usleep(20000);
  if (done == 0) {
    kill(s.pid, SIGKILL);
    waitpid(s.pid, &status, 0);
  }
  while (Read_Some(s, 0) > 0) {
  }
  close(s.out);
  s.out = -1;
  return done != 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Run(const std::string& exe, const std::vector<std::string>& args,
                const std::string& folder, const std::string& input, int* status) {
  Session s = Start(exe, args, folder);
  Send(s, input);
  int code = Finish(s, 60);
  if (status != nullptr) *status = code;
  return s.output;
}

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

ino_t Inode(const std::string& path) {
  struct stat st = {};
  stat(path.c_str(), &st);
  return st.st_ino;
}

std::string Dos_Attributes(const std::string& path) {
  char value[64];
  ssize_t n = getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
  if (n <= 0) return std::string();
  std::string text(value, n);
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}
