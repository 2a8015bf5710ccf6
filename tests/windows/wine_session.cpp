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

// How every Wine process starts: Chinese locale, so that Wine uses code page
// 936 as Chinese Windows does; no display, so nothing opens a window.
Spawn_Options Wine_Options(const std::string& folder) {
  Spawn_Options options;
  options.folder = folder;
  options.env = {
      {"WINEPREFIX", PREFIX},  {"WINEDEBUG", "-all"},     {"WINEDLLOVERRIDES", "mscoree,mshtml="},
      {"LANG", "zh_CN.UTF-8"}, {"LC_ALL", "zh_CN.UTF-8"}, {"DISPLAY", ""},
      {"WAYLAND_DISPLAY", ""}};
  return options;
}

// Runs a Wine tool to its end. Without pipes of its own: nothing started here
// (wineserver above all, which outlives it) may hold on to the test's output.
int Run_Detached(const std::vector<std::string>& argv) {
  Spawn_Options options = Wine_Options("");
  options.detached = true;
  Child child = Spawn(argv, options);
  std::string ignored;
  return Wait_End(child, ignored, 300000);
}

// Ends this run's wineserver, and with it every Wine process of the run.
class Wine_Cleanup : public testing::Environment {
 public:
  void TearDown() override {
    if (fs::exists(PREFIX)) Run_Detached({"/usr/lib/wine/wineserver", "-k"});
  }
};
testing::Environment* const CLEANUP = testing::AddGlobalTestEnvironment(new Wine_Cleanup);

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
      return std::string("the Windows build is missing: scripts/build windows");
    std::error_code ignored;
    fs::remove_all(PREFIX, ignored);
    fs::remove_all(RUNS, ignored);
    int status = Run_Detached({WINE, "wineboot", "-i"});
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
  std::vector<std::string> argv = {WINE, exe};
  argv.insert(argv.end(), args.begin(), args.end());
  Spawn_Options options = Wine_Options(folder);
  options.watch_input = true;
  Session s;
  s.child = Spawn(argv, options);
  return s;
}

Session Start_In_Terminal(const std::string& exe, const std::string& folder) {
  Spawn_Options options = Wine_Options(folder);
  options.terminal = true;
  // Raw from the start, as Wine's console sets it anyway once it reads: typed
  // bytes must not be echoed or turned into other bytes before then.
  options.raw = true;
  Session s;
  s.terminal = true;
  s.child = Spawn({WINE, exe}, options);
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
    if (left.count() <= 0 || Read_Output(s.child, s.output, static_cast<int>(left.count())) < 0)
      return testing::AssertionFailure()
             << "waited for: " << Escaped(text) << "\nbut got: "
             << Escaped((s.terminal ? Visible(s.output) : s.output).substr(s.seen));
  }
  s.seen = at + text.size();
  return testing::AssertionSuccess();
}

void Send(Session& s, const std::string& bytes) {
  Write_Input(s.child, bytes);
}

int Finish(Session& s, int seconds, int* unread) {
  Close_Input(s.child);
  int status = Wait_End(s.child, s.output, seconds * 1000);
  int left = Take_Unread_Input(s.child);
  if (unread != nullptr) *unread = left;
  return status;
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
