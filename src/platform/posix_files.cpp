// Files on POSIX: their kind, reading and writing them whole, and the
// descriptors that hold them open.
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/posix_internal.h"

bool Fd::Close() {
  int open = fd;
  fd = -1;
  return open < 0 || close(open) == 0;
}

bool Open_Pipe(Fd& read, Fd& write) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return false;
  read.fd = ends[0];
  write.fd = ends[1];
  return true;
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

// Up to `most` bytes from the descriptor's position on.
bool Read_All(int fd, size_t most, std::string& bytes, std::string* err) {
  bytes.clear();
  char chunk[65536];
  while (bytes.size() < most) {
    ssize_t n = read(fd, chunk, std::min(sizeof chunk, most - bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail_Errno(err);
    if (n == 0) break;
    bytes.append(chunk, static_cast<size_t>(n));
  }
  return true;
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

// Writes the bytes to the file, on the disk before it is closed: 0, or why not.
int Write_And_Close(Fd& file, const std::string& bytes) {
  int error = 0;
  if (!Write_Fd(file.fd, bytes.data(), bytes.size()) || fsync(file.fd) != 0) error = errno;
  if (!file.Close() && error == 0) error = errno;
  return error;
}
// Gives `temp` the name `path` in one step unless something is there: 0, or why not.
int Place_New(const std::string& temp, const std::string& path) {
  if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without that kind of renaming: a second name, then the first one gone.
  if (link(temp.c_str(), path.c_str()) != 0) return errno;
  unlink(temp.c_str());
  return 0;
}

// Makes the new file `path` whole or not at all: `write` fills a file
// beside it (giving 0, or why it failed), which then takes the name, never
// over a file that is there; on any failure nothing is left behind.
bool Write_Whole(const std::string& path, const std::function<int(int fd)>& write,
                 std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  struct stat st;
  if (lstat(path.c_str(), &st) == 0) return Fail(err, FAILURE_EXISTS, DOING_WRITE);
  std::string temp;
  Fd file(Create_Temporary(path, temp));
  if (file.fd < 0) return Fail_Errno(err, DOING_WRITE);
  int error = write(file.fd);
  if (!file.Close() && error == 0) error = errno;
  if (error == 0) error = Place_New(temp, path);
  if (error == 0) return true;
  unlink(temp.c_str());
  return Fail_Code(err, error, DOING_WRITE);
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
  if (err) err->clear();
  if (Has_Nul(path)) return false;
  // O_NONBLOCK: opening a FIFO must not wait for a writer; fstat then refuses it.
  Fd file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.fd < 0) return Fail_Errno(err, DOING_READ);  // nothing there: no reason to tell
  struct stat st;
  if (fstat(file.fd, &st) != 0) return Fail_Errno(err, DOING_READ);
  if (S_ISDIR(st.st_mode)) return Fail(err, FAILURE_IS_FOLDER, DOING_READ);
  if (!S_ISREG(st.st_mode)) return Fail(err, FAILURE_NOT_REGULAR, DOING_READ);
  std::string raw;
  size_t most = limit < static_cast<size_t>(-1) ? limit + 1 : limit;  // one more tells it is over
  if (!Read_All(file.fd, most, raw, err)) return false;
  if (raw.size() > limit) return Fail(err, FAILURE_TOO_LARGE, DOING_READ);
  // Text mode as Windows reads it: CR LF is a line end, a lone CR is text.
  text.clear();
  for (size_t i = 0; i < raw.size(); i++) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text += raw[i];
  }
  return true;
}

bool Replace_Text_File(const std::string& path, const std::string& text, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  std::string temp;
  Fd file(Create_Temporary(path, temp));
  if (file.fd < 0) return Fail_Errno(err, DOING_WRITE);
  int error = Write_And_Close(file, text);
  if (error == 0 && rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temp.c_str());
    return Fail_Code(err, error, DOING_WRITE);
  }
  // Makes the rename itself last through a power cut; the file is already whole.
  Fd folder(open(Folder_Of(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (folder.fd >= 0) fsync(folder.fd);
  return true;
}

// Files have no hidden attribute here, and the settings file keeps its name.
bool Hide_File(const std::string&, std::string*) {
  return true;
}

bool Create_Empty_File(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  Fd file(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
  return file.fd >= 0 || Fail_Errno(err, DOING_WRITE);
}

bool Read_Bytes(const std::string& path, size_t most, std::string& bytes, std::string* err) {
  bytes.clear();
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND);
  Fd file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.fd < 0) return Fail_Errno(err);
  return Read_All(file.fd, most, bytes, err);
}

bool Read_Chunks(const std::string& path, const std::function<bool(const char*, size_t)>& take,
                 std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND);
  Fd file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.fd < 0) return Fail_Errno(err);
  std::vector<char> chunk(1 << 20);
  for (;;) {
    ssize_t n = read(file.fd, chunk.data(), chunk.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail_Errno(err);
    if (n == 0) return true;
    if (!take(chunk.data(), static_cast<size_t>(n))) return true;
  }
}

bool Copy_File(const std::string& from, const std::string& to, std::string* err) {
  if (Has_Nul(from)) return Fail(err, FAILURE_NOT_FOUND);
  Fd source(open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (source.fd < 0) return Fail_Errno(err);
  // A chunk at a time, so that a sample of gigabytes needs no more memory than a small one.
  return Write_Whole(
      to,
      [&](int fd) {
        std::vector<char> chunk(1 << 16);
        for (;;) {
          ssize_t n = read(source.fd, chunk.data(), chunk.size());
          if (n < 0 && errno == EINTR) continue;
          if (n <= 0) return n == 0 ? 0 : errno;
          if (!Write_Fd(fd, chunk.data(), static_cast<size_t>(n))) return errno;
        }
      },
      err);
}

bool Write_New_File(const std::string& path, const std::string& bytes, std::string* err) {
  return Write_Whole(
      path, [&](int fd) { return Write_Fd(fd, bytes.data(), bytes.size()) ? 0 : errno; }, err);
}

bool Replace_File(const std::string& from, const std::string& to, std::string* err) {
  if (Has_Nul(from) || Has_Nul(to)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  return rename(from.c_str(), to.c_str()) == 0 || Fail_Errno(err, DOING_WRITE);
}

bool Remove_File(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND);
  return unlink(path.c_str()) == 0 || Fail_Errno(err);
}

bool Same_File(const std::string& a, const std::string& b) {
  struct stat first, second;
  if (Has_Nul(a) || Has_Nul(b)) return false;
  if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool Stamp_File(const std::string& path, File_Stamp& stamp, std::string* err) {
  struct stat st;
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND);
  if (stat(path.c_str(), &st) != 0) return Fail_Errno(err);
  stamp.size = static_cast<long long>(st.st_size);
  stamp.written = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return true;
}

bool Touch_File(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  return utimensat(AT_FDCWD, path.c_str(), nullptr, 0) == 0 || Fail_Errno(err, DOING_WRITE);
}

bool Take_Lock(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  // Left open on purpose: the lock is held by the descriptor, until our end.
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return Fail_Errno(err, DOING_WRITE);
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
  int error = errno;
  close(fd);
  return error == EWOULDBLOCK ? Fail(err, FAILURE_BUSY) : Fail_Code(err, error);
}
