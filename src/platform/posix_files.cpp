// The platform layer on POSIX: the file system.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/platform.h"
#include "platform/posix_internal.h"

std::string Error_Text(int code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      return "不存在";
    case EACCES:
    case EPERM:
      return "没有权限";
    case ENOSPC:
    case EDQUOT:
      return "磁盘空间不足";
    default:
      return "系统错误 " + std::to_string(code);
  }
}

namespace {
// A path the system would cut at its first NUL byte names nothing.
bool Has_Nul(const std::string& path) {
  return path.find('\0') != std::string::npos;
}

// The folder that holds `path`, as a path of its own.
std::string Folder_Of(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Why a file could not be written or put in place, in plain words.
std::string Write_Failure(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "这个文件夹不允许写入";
    case EROFS:
      return "这个文件夹所在的磁盘是只读的";
    case ENOSPC:
    case EDQUOT:
      return "磁盘已满";
    case EISDIR:
      return "一个同名的文件夹占着它的位置";
    case ENOENT:
    case ENOTDIR:
      return "它所在的文件夹不存在";
    default:
      return Error_Text(error);
  }
}

// Creates a file beside `path` that no one else has, never through a link:
// its descriptor, or -1 with errno set.
int Create_Temporary(const std::string& path, std::string& temp) {
  for (int n = 0; n < 100; n++) {
    temp = path + ".~" + std::to_string(getpid()) + "-" + std::to_string(n);
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;  // errno is still EEXIST
}
}  // namespace

Path_Kind Path_Status(const std::string& path) {
  struct stat st;
  if (Has_Nul(path) || stat(path.c_str(), &st) != 0) return PATH_MISSING;
  if (S_ISREG(st.st_mode)) return PATH_FILE;
  if (S_ISDIR(st.st_mode)) return PATH_DIRECTORY;
  return PATH_OTHER;
}

bool Read_Text_File(const std::string& path, size_t limit, std::string& text, std::string* err) {
  err->clear();
  if (Has_Nul(path)) return false;
  // O_NONBLOCK: opening a FIFO must not wait for a writer; fstat then refuses it.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == EACCES || errno == EPERM)
      *err = "没有读取它的权限";
    else if (errno != ENOENT && errno != ENOTDIR)
      *err = Error_Text(errno);
    return false;
  }
  struct stat st;
  std::string raw;
  if (fstat(fd, &st) != 0) {
    *err = "读取时出错";
  } else if (!S_ISREG(st.st_mode)) {
    *err = S_ISDIR(st.st_mode) ? "它是一个文件夹" : "它不是普通文件";
  } else {
    char chunk[4096];
    for (;;) {
      ssize_t n = read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) *err = "读取时出错";
      if (n <= 0) break;
      raw.append(chunk, static_cast<size_t>(n));
      if (raw.size() > limit) {
        *err = "它太大了，不是设置文件";
        break;
      }
    }
  }
  close(fd);
  if (!err->empty()) return false;
  // Text mode as Windows reads it: CR LF is a line end, a lone CR is text.
  text.clear();
  for (size_t i = 0; i < raw.size(); i++) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text += raw[i];
  }
  return true;
}

bool Replace_Text_File(const std::string& path, const std::string& text, std::string* err) {
  std::string temp;
  int fd = Has_Nul(path) ? -1 : Create_Temporary(path, temp);
  if (fd < 0) {
    *err = Write_Failure(Has_Nul(path) ? ENOENT : errno);
    return false;
  }
  int error = 0;
  if (!Write_Fd(fd, text.data(), text.size()) || fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temp.c_str());
    *err = Write_Failure(error);
    return false;
  }
  // Makes the rename itself last through a power cut; the file is already whole.
  int folder = open(Folder_Of(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

// Files have no hidden attribute here, and the settings file keeps its name.
void Hide_File(const std::string&) {}

bool Create_Empty_File(const std::string& path) {
  if (Has_Nul(path)) return false;
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool Fd::Close() {
  if (fd < 0) return true;
  int closing = fd;
  fd = -1;
  return close(closing) == 0;
}

bool Open_Pipe(Fd& read, Fd& write) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return false;
  read.Close();
  write.Close();
  read.fd = ends[0];
  write.fd = ends[1];
  return true;
}
