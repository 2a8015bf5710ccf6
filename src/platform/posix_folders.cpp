// Folders on POSIX: what is in them, the temporary folder a sample runs in,
// removing a folder whole however deep it is, and the folders a killed
// launcher left behind.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/posix_internal.h"

namespace {

const char FOLDER_PREFIX[] =
    "tws-sample-";                     // then the launcher's process number, '-', a unique tail
const char NEW_PREFIX[] = "tws-new-";  // a folder not yet locked: the sweep passes it by

// The folders this launcher made and holds locked, by path: the lock, not
// the process number, says they are a live launcher's, as a launcher in
// another PID namespace sharing /tmp has numbers that mean nothing here.
std::map<std::string, int> held_folders;

// Locks the open folder for as long as it is held; false when another holds it.
bool Lock_Folder(int fd) {
  return flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// An open folder's listing, closed when it goes.
struct Listing {
  DIR* dir;
  explicit Listing(DIR* open) : dir(open) {}
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;
  ~Listing() {
    if (dir) closedir(dir);
  }
};

std::string Temp_Base() {
  const char* base = std::getenv("TMPDIR");
  return base && base[0] == '/' ? std::string(base) : "/tmp";
}

Entry_Kind Kind_Of(mode_t mode) {
  if (S_ISREG(mode)) return ENTRY_FILE;
  if (S_ISDIR(mode)) return ENTRY_FOLDER;
  if (S_ISFIFO(mode)) return ENTRY_PIPE;
  if (S_ISSOCK(mode)) return ENTRY_SOCKET;
  return ENTRY_DEVICE;
}

// Removes every entry of the open folder `fd` that is not a folder (links
// included) and gives the name of the first folder left, "" when none is.
// False when one cannot be removed.
bool Clear_Files(int fd, std::string& folder) {
  Fd copy(dup(fd));
  Listing listing(copy.fd < 0 ? nullptr : fdopendir(copy.fd));
  if (!listing.dir) return false;
  copy.fd = -1;  // the listing owns it now
  rewinddir(listing.dir);
  bool ok = true;
  folder.clear();
  while (dirent* entry = readdir(listing.dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
      if (folder.empty()) folder = name;
    } else if (unlinkat(fd, name.c_str(), 0) != 0 && errno != ENOENT) {
      ok = false;
      break;
    }
  }
  return ok;
}

// Goes down into the folder `name` of the open folder `fd`, or back up when
// `name` is "..": the new folder takes the place of the old one in `fd`.
// Going up checks that it is the folder it came from, as nothing may have
// moved it meanwhile.
bool Step(Fd& fd, const std::string& name, const struct stat* expected) {
  int next = openat(fd.fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (next < 0) return false;
  Fd owner(next);
  struct stat st;
  if (expected &&
      (fstat(next, &st) != 0 || st.st_dev != expected->st_dev || st.st_ino != expected->st_ino))
    return false;
  fd.Close();
  fd.fd = next;
  owner.fd = -1;
  return true;
}

// Removes everything inside the open folder `fd`, going as deep as it must
// with one folder open at a time: a tree thousands of folders deep needs no
// more descriptors than one a single folder deep.
bool Clear_Tree(Fd& fd) {
  std::vector<std::pair<std::string, struct stat>> above;  // each folder's name, and its parent
  for (;;) {
    // A folder the program left without write or search permission still
    // goes; whether this helped, the removals below tell.
    bool opened_up = fchmod(fd.fd, 0700) == 0;
    (void)opened_up;
    std::string folder;
    if (!Clear_Files(fd.fd, folder)) return false;
    if (!folder.empty()) {
      struct stat here;
      if (fstat(fd.fd, &here) != 0 || !Step(fd, folder, nullptr)) return false;
      above.push_back({folder, here});
      continue;
    }
    if (above.empty()) return true;
    if (!Step(fd, "..", &above.back().second) ||
        unlinkat(fd.fd, above.back().first.c_str(), AT_REMOVEDIR) != 0)
      return false;
    above.pop_back();
  }
}

}  // namespace

bool List_Folder(const std::string& folder, std::vector<Folder_Entry>& entries, std::string* err) {
  entries.clear();
  Listing listing(opendir(folder.c_str()));
  if (!listing.dir) return Fail_Errno(err);
  while (dirent* entry = readdir(listing.dir)) {
    std::string name = entry->d_name, path = folder + "/" + name;
    if (name == "." || name == "..") continue;
    struct stat link, st;
    if (lstat(path.c_str(), &link) != 0) continue;
    Folder_Entry item{name, ENTRY_BROKEN_LINK, ""};
    if (stat(path.c_str(), &st) == 0) item.kind = Kind_Of(st.st_mode);
    if (S_ISLNK(link.st_mode) && item.kind != ENTRY_BROKEN_LINK) item.target = Real_Path(path);
    if (!S_ISLNK(link.st_mode)) item.kind = Kind_Of(link.st_mode);
    entries.push_back(item);
  }
  return true;
}

std::string Real_Path(const std::string& path) {
  char* real = realpath(path.c_str(), nullptr);
  std::string whole = real ? real : "";
  std::free(real);
  return whole;
}

bool Make_Temp_Folder(std::string& path, std::string* err) {
  std::string tail = std::to_string(getpid()) + "-XXXXXX";
  std::string made = Temp_Base() + "/" + NEW_PREFIX + tail;
  if (!mkdtemp(&made[0])) return Fail_Errno(err);
  // Locked before it takes the name the sweep looks for, so that no sweep sees it unlocked.
  int fd = open(made.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  std::string name = Temp_Base() + "/" + FOLDER_PREFIX + made.substr(made.size() - tail.size());
  if (fd < 0 || !Lock_Folder(fd) || rename(made.c_str(), name.c_str()) != 0) {
    int error = errno;
    if (fd >= 0) close(fd);
    rmdir(made.c_str());
    return Fail_Code(err, error);
  }
  held_folders[name] = fd;
  path = name;
  return true;
}

bool Remove_Tree(const std::string& path, std::string* err) {
  auto held = held_folders.find(path);
  if (held != held_folders.end()) {  // ours no longer once it goes
    close(held->second);
    held_folders.erase(held);
  }
  Fd fd(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (fd.fd < 0) return Fail_Errno(err);
  if (!Clear_Tree(fd)) return Fail_Errno(err);
  fd.Close();
  return rmdir(path.c_str()) == 0 || Fail_Errno(err);
}

bool Empty_Folder(const std::string& path, std::string* err) {
  Fd fd(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  return (fd.fd >= 0 && Clear_Tree(fd)) || Fail_Errno(err);
}

void Remove_Left_Folders() {
  std::string base = Temp_Base();
  Listing listing(opendir(base.c_str()));
  if (!listing.dir) return;
  std::vector<std::string> left;
  std::string prefix = FOLDER_PREFIX;
  while (dirent* entry = readdir(listing.dir)) {
    std::string name = entry->d_name, path = base + "/" + name;
    struct stat st;
    if (name.compare(0, prefix.size(), prefix) != 0 || lstat(path.c_str(), &st) != 0 ||
        st.st_uid != getuid() || !S_ISDIR(st.st_mode))
      continue;
    // A live launcher holds its folder's lock; the sweep takes it only from one that is gone.
    Fd fd(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.fd >= 0 && held_folders.count(path) == 0 && Lock_Folder(fd.fd)) left.push_back(path);
  }
  for (const std::string& folder : left) Remove_Tree(folder, nullptr);
}

bool Make_Folders(const std::string& path, std::string* err) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    if (mkdir(path.substr(0, slash).c_str(), 0755) != 0 && errno != EEXIST)
      return Fail_Errno(err, DOING_WRITE);
    if (slash == std::string::npos) break;
  }
  // A file of that name was there instead.
  return Path_Status(path) == PATH_DIRECTORY || Fail(err, FAILURE_EXISTS, DOING_WRITE);
}

bool Make_Private_Folder(const std::string& path, std::string* err) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return Fail_Errno(err, DOING_WRITE);
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return Fail_Errno(err);
  if (!S_ISDIR(st.st_mode) || st.st_uid != geteuid()) return Fail(err, FAILURE_DENIED);
  if ((st.st_mode & 077) != 0 && chmod(path.c_str(), 0700) != 0) return Fail_Errno(err);
  return true;
}

bool Move_Folder(const std::string& from, const std::string& to, std::string* err) {
  if (rename(from.c_str(), to.c_str()) == 0) return true;
  return errno == ENOTEMPTY ? Fail(err, FAILURE_EXISTS) : Fail_Errno(err);
}
