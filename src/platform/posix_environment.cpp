// The environment on POSIX: the process's arguments and variables, the
// PATH's folders, and where this program itself is.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix_internal.h"

std::vector<std::string> Program_Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

std::string Environment_Variable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? value : "";
}

bool Set_Environment_Variable(const std::string& name, const std::string& value, std::string* err) {
  return setenv(name.c_str(), value.c_str(), 1) == 0 || Fail_Errno(err);
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

std::string Typed_Path(const std::string& text) {
  std::string home = Environment_Variable("HOME");
  if (home.empty() || text.empty() || text[0] != '~' || (text.size() > 1 && text[1] != '/'))
    return text;  // another user's "~name" would need a user look-up
  if (home.size() > 1 && home.back() == '/') home.pop_back();
  return home + text.substr(1);
}

std::string User_Cache_Folder() {
  // A relative path is to be ignored, as the XDG base directory rules say.
  std::string cache = Environment_Variable("XDG_CACHE_HOME");
  if (!cache.empty() && cache[0] == '/') return cache;
  std::string home = Environment_Variable("HOME");
  return home.empty() ? "" : home + "/.cache";
}

std::string Own_Path() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  if (n <= 0 || n == static_cast<ssize_t>(sizeof path)) return "";
  return std::string(path, static_cast<size_t>(n));
}
