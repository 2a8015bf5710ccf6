// The files of sample runs on POSIX: listing, reading and copying them, and
// the temporary folder each run works in.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix_internal.h"

namespace {
bool Fail(std::string* err, const std::string& what, int code) {
  if (err) *err = what + "（" + Error_Text(code) + "）";
  return false;
}

// Removes everything inside the open folder `fd`, then closes it.
bool Empty_Folder(int fd) {
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return false;
  }
  bool ok = true;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      // A folder the program left without write or search permission still goes;
      // whether this helped, the removal below tells.
      bool opened_up = fchmodat(fd, name.c_str(), 0700, 0) == 0;
      (void)opened_up;
      int inner = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      ok = inner >= 0 && Empty_Folder(inner) && ok;
      ok = unlinkat(fd, name.c_str(), AT_REMOVEDIR) == 0 && ok;
    } else {
      ok = unlinkat(fd, name.c_str(), 0) == 0 && ok;
    }
  }
  closedir(dir);
  return ok;
}
}  // namespace

bool List_Files(const std::string& folder, std::vector<std::string>& names, std::string* err) {
  names.clear();
  DIR* dir = opendir(folder.c_str());
  if (!dir) return Fail(err, "无法读取文件夹 " + folder, errno);
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (Path_Status(folder + "/" + name) == PATH_FILE) names.push_back(name);
  }
  closedir(dir);
  return true;
}

bool Read_Bytes(const std::string& path, size_t most, std::string& bytes, std::string* err) {
  bytes.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Fail(err, "无法读取 " + path, errno);
  char chunk[65536];
  while (bytes.size() < most) {
    size_t want = most - bytes.size() < sizeof chunk ? most - bytes.size() : sizeof chunk;
    ssize_t n = read(fd, chunk, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int code = errno;
      close(fd);
      return Fail(err, "无法读取 " + path, code);
    }
    if (n == 0) break;
    bytes.append(chunk, static_cast<size_t>(n));
  }
  close(fd);
  return true;
}

bool Copy_File(const std::string& from, const std::string& to, std::string* err) {
  std::string bytes;
  if (!Read_Bytes(from, static_cast<size_t>(-1), bytes, err)) return false;
  int fd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return Fail(err, "无法创建 " + to, errno);
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int code = n < 0 ? errno : ENOSPC;
      close(fd);
      return Fail(err, "无法写入 " + to, code);
    }
    done += static_cast<size_t>(n);
  }
  if (close(fd) != 0) return Fail(err, "无法写入 " + to, errno);
  return true;
}

bool Make_Temp_Folder(std::string& path, std::string* err) {
  const char* base = std::getenv("TMPDIR");
  std::string name = (base && base[0] == '/' ? std::string(base) : "/tmp") + "/tws-sample-XXXXXX";
  if (!mkdtemp(&name[0])) return Fail(err, "无法创建临时文件夹", errno);
  path = name;
  return true;
}

bool Remove_Tree(const std::string& path, std::string* err) {
  int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return Fail(err, "无法删除临时文件夹 " + path, errno);
  bool emptied = Empty_Folder(fd);
  if (rmdir(path.c_str()) != 0 || !emptied)
    return Fail(err, "无法删除临时文件夹 " + path, emptied ? errno : ENOTEMPTY);
  return true;
}
