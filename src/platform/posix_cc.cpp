// The compiler companion's platform operations on POSIX.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix_internal.h"

std::string Own_Path() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  if (n <= 0 || n == static_cast<ssize_t>(sizeof path)) return "";
  return std::string(path, static_cast<size_t>(n));
}

bool Same_File(const std::string& a, const std::string& b) {
  struct stat first, second;
  if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::vector<std::string> Path_Folders() {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::vector<std::string> list;
  size_t start = 0;
  for (;;) {
    size_t colon = folders.find(':', start);
    std::string folder = folders.substr(start, colon - start);
    list.push_back(folder.empty() ? "." : folder);  // an empty entry is the current folder
    if (colon == std::string::npos) return list;
    start = colon + 1;
  }
}

std::vector<std::string> Compiler_Folders() {
  return {};  // the PATH is where POSIX systems keep their compilers
}

std::string Environment_Variable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? value : "";
}

void Set_Environment_Variable(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 1);
}

std::string User_Cache_Folder() {
  // A relative path is to be ignored, as the XDG base directory rules say.
  std::string cache = Environment_Variable("XDG_CACHE_HOME");
  if (!cache.empty() && cache[0] == '/') return cache;
  std::string home = Environment_Variable("HOME");
  return home.empty() ? "" : home + "/.cache";
}

namespace {
// A pseudo-terminal whose other side is shaped like `target`: the same size,
// and no output processing, so that the bytes read here are the bytes written
// there. False when the system has none to give.
bool Open_Terminal(int target, Relay_Channel& channel) {
  int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0) return false;
  const char* name = grantpt(master) == 0 && unlockpt(master) == 0 ? ptsname(master) : nullptr;
  int slave = name ? open(name, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
  if (slave < 0) {
    close(master);
    return false;
  }
  struct termios mode;
  if (tcgetattr(slave, &mode) == 0) {
    mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tcsetattr(slave, TCSANOW, &mode);
  }
  struct winsize size;
  if (ioctl(target, TIOCGWINSZ, &size) == 0) ioctl(slave, TIOCSWINSZ, &size);
  channel.read = master;
  channel.child = slave;
  return true;
}
}  // namespace

bool Open_Relay_Channel(int target, Relay_Channel& channel) {
  channel.target = target;
  if (isatty(target) && Open_Terminal(target, channel)) return true;
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return false;
  channel.read = ends[0];
  channel.child = ends[1];
  return true;
}

void Close_Relay_Channel(Relay_Channel& channel) {
  for (int* fd : {&channel.read, &channel.child}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
}
