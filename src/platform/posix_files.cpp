// The platform layer on POSIX: the file system.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

// ---- Keeping work for the next run -------------------------------------------

namespace {
bool Fail(std::string* err, const std::string& what, int code) {
  if (err) *err = what + "（" + Error_Text(code) + "）";
  return false;
}
}  // namespace

bool Stamp_File(const std::string& path, File_Stamp& stamp, std::string* err) {
  struct stat st;
  if (Has_Nul(path)) return Fail(err, "无法查看 " + path, ENOENT);
  if (stat(path.c_str(), &st) != 0) return Fail(err, "无法查看 " + path, errno);
  stamp.size = static_cast<long long>(st.st_size);
  stamp.written = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return true;
}

bool Touch_File(const std::string& path, std::string* err) {
  std::string what = "无法更改 " + path + " 的时间";
  if (Has_Nul(path)) return Fail(err, what, ENOENT);
  return utimensat(AT_FDCWD, path.c_str(), nullptr, 0) == 0 || Fail(err, what, errno);
}

bool Make_Folders(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, "无法创建文件夹 " + path, ENOENT);
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
      return Fail(err, "无法创建文件夹 " + folder, errno);
    if (slash == std::string::npos) break;
  }
  return Path_Status(path) == PATH_DIRECTORY || Fail(err, "无法创建文件夹 " + path, EEXIST);
}

bool List_Folders(const std::string& folder, std::vector<std::string>& names, std::string* err) {
  names.clear();
  if (Has_Nul(folder)) return Fail(err, "无法读取文件夹 " + folder, ENOENT);
  DIR* dir = opendir(folder.c_str());
  if (!dir) return Fail(err, "无法读取文件夹 " + folder, errno);
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != ".." && Path_Status(folder + "/" + name) == PATH_DIRECTORY)
      names.push_back(name);
  }
  closedir(dir);
  return true;
}

bool Move_Folder(const std::string& from, const std::string& to, std::string* err) {
  std::string what = "无法把 " + from + " 改名为 " + to;
  if (Has_Nul(from) || Has_Nul(to)) return Fail(err, what, ENOENT);
  return rename(from.c_str(), to.c_str()) == 0 || Fail(err, what, errno);
}

bool Take_Lock(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, "无法打开 " + path, ENOENT);
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return Fail(err, "无法打开 " + path, errno);
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;  // held by fd, open until our end
  int code = errno;
  close(fd);
  return Fail(err, code == EWOULDBLOCK ? path + " 正被别的程序占用" : "无法锁定 " + path, code);
}
