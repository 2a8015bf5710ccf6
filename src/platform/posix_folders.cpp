// Folders on POSIX: what is in them, the temporary folder a sample runs in,
// and removing a folder whole.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix_internal.h"

namespace {
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

// Removes everything inside the open folder `fd`, then closes it.
bool Empty_Folder(int fd) {
  Listing listing(fdopendir(fd));
  if (!listing.dir) {
    close(fd);
    return false;
  }
  bool ok = true;
  while (dirent* entry = readdir(listing.dir)) {
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
  return ok;
}
}  // namespace

bool List_Files(const std::string& folder, std::vector<std::string>& names, std::string* err) {
  names.clear();
  Listing listing(opendir(folder.c_str()));
  if (!listing.dir) return Fail_Errno(err);
  while (dirent* entry = readdir(listing.dir)) {
    std::string name = entry->d_name;
    if (Path_Status(folder + "/" + name) == PATH_FILE) names.push_back(name);
  }
  return true;
}

bool Make_Temp_Folder(std::string& path, std::string* err) {
  const char* base = std::getenv("TMPDIR");
  std::string name = (base && base[0] == '/' ? std::string(base) : "/tmp") + "/tws-sample-XXXXXX";
  if (!mkdtemp(&name[0])) return Fail_Errno(err);
  path = name;
  return true;
}

bool Remove_Tree(const std::string& path, std::string* err) {
  int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return Fail_Errno(err);
  bool emptied = Empty_Folder(fd);
  if (rmdir(path.c_str()) != 0) return Fail_Errno(err);
  return emptied || Fail_Code(err, ENOTEMPTY);
}
