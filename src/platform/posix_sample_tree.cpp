// The processes of a sample, seen through /proc: what they use together, and
// ending every one of them, however it detached itself.
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix_internal.h"

namespace {

// A process as /proc/PID/stat tells it.
struct Process_Stat {
  char state = '?';
  pid_t parent = 0;
  long long ticks = 0;         // user and system time
  long long reaped_ticks = 0;  // the same, of the children it reaped
  long long pages = 0;         // resident
};

// The whole small file at `path`; "" when it cannot be read.
std::string Read_Small_File(const std::string& path) {
  Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.fd < 0) return "";
  char buffer[4096];
  std::string text;
  ssize_t n;
  while ((n = read(fd.fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  return text;
}

// The fields after the command name, which may itself hold spaces and
// parentheses: state, parent, ..., utime (14), stime, cutime, cstime, ..., rss (24).
bool Read_Stat(pid_t pid, Process_Stat& stat) {
  std::string text = Read_Small_File("/proc/" + std::to_string(pid) + "/stat");
  size_t close = text.rfind(')');
  if (close == std::string::npos || close + 2 >= text.size()) return false;
  std::vector<long long> fields;
  stat.state = text[close + 2];
  const char* at = text.c_str() + close + 3;
  for (char* end = nullptr; fields.size() < 22; at = end) {
    long long value = std::strtoll(at, &end, 10);
    if (end == at) return false;
    fields.push_back(value);
  }
  // fields[0] is field 4, the parent.
  stat.parent = static_cast<pid_t>(fields[0]);
  stat.ticks = fields[10] + fields[11];
  stat.reaped_ticks = fields[12] + fields[13];
  stat.pages = fields[20];
  return true;
}

bool All_Digits(const char* name) {
  if (!*name) return false;
  for (; *name; ++name)
    if (*name < '0' || *name > '9') return false;
  return true;
}

// The children of `pid` by scanning every process: for a kernel without
// /proc/PID/task/TID/children.
std::vector<pid_t> Children_By_Scan(pid_t pid) {
  std::vector<pid_t> children;
  DIR* proc = opendir("/proc");
  if (!proc) return children;
  while (dirent* entry = readdir(proc)) {
    Process_Stat stat;
    pid_t each = static_cast<pid_t>(std::atoi(entry->d_name));
    if (All_Digits(entry->d_name) && Read_Stat(each, stat) && stat.parent == pid)
      children.push_back(each);
  }
  closedir(proc);
  return children;
}

// The children of `pid`, from each of its threads.
std::vector<pid_t> Children_Of(pid_t pid) {
  static const bool listed =
      access("/proc/self/task", F_OK) == 0 &&
      access(("/proc/self/task/" + std::to_string(getpid()) + "/children").c_str(), F_OK) == 0;
  if (!listed) return Children_By_Scan(pid);
  std::vector<pid_t> children;
  std::string task = "/proc/" + std::to_string(pid) + "/task/";
  DIR* threads = opendir(task.c_str());
  if (!threads) return children;
  while (dirent* entry = readdir(threads)) {
    if (!All_Digits(entry->d_name)) continue;
    std::string list = Read_Small_File(task + entry->d_name + "/children");
    const char* at = list.c_str();
    for (char* end = nullptr;; at = end) {
      long value = std::strtol(at, &end, 10);
      if (end == at) break;
      children.push_back(static_cast<pid_t>(value));
    }
  }
  closedir(threads);
  return children;
}

}  // namespace

Tree_Usage Tree_Of(pid_t keeper) {
  static const long long TICK_US = 1000000 / sysconf(_SC_CLK_TCK);
  static const long long PAGE = sysconf(_SC_PAGESIZE);
  Tree_Usage usage;
  std::vector<pid_t> pending = Children_Of(getpid());
  while (!pending.empty()) {
    pid_t pid = pending.back();
    pending.pop_back();
    Process_Stat stat;
    if (!Read_Stat(pid, stat)) continue;  // gone meanwhile
    usage.cpu_us += (stat.reaped_ticks + (pid == keeper ? 0 : stat.ticks)) * TICK_US;
    if (pid != keeper) {
      usage.bytes += stat.pages * PAGE;
      usage.running = usage.running || stat.state == 'R';
      usage.waiting = usage.waiting || stat.state == 'S' || stat.state == 'D';
      usage.stopped = usage.stopped || stat.state == 'T';
    }
    std::vector<pid_t> children = Children_Of(pid);
    pending.insert(pending.end(), children.begin(), children.end());
  }
  return usage;
}

void Add_Usage(Reaped_Usage& used, const rusage& usage) {
  used.cpu_us += usage.ru_utime.tv_sec * 1000000LL + usage.ru_utime.tv_usec +
                 usage.ru_stime.tv_sec * 1000000LL + usage.ru_stime.tv_usec;
  if (usage.ru_maxrss > used.peak_kb) used.peak_kb = usage.ru_maxrss;
}

bool End_Descendants(Reaped_Usage& used, pid_t watched, int& status) {
  bool found = false;
  sigset_t child;
  sigemptyset(&child);
  sigaddset(&child, SIGCHLD);
  for (;;) {
    // Only this process reaps its children, so none of these numbers can
    // pass to another process before it is killed.
    for (pid_t pid : Children_Of(getpid())) kill(pid, SIGKILL);
    bool reaped = false;
    int each = 0;
    rusage usage{};
    pid_t pid;
    while ((pid = wait4(-1, &each, WNOHANG, &usage)) > 0) {
      Add_Usage(used, usage);
      if (pid == watched) {
        status = each;
        found = true;
      }
      reaped = true;
    }
    if (pid < 0 && errno == ECHILD) return found;
    // One that was not yet listed, an orphan that came meanwhile: look again soon.
    timespec soon{0, 10 * 1000000};
    if (!reaped) sigtimedwait(&child, nullptr, &soon);
  }
}
