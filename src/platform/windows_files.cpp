// Files on Windows: every path as UTF-16, so Chinese names reach the file
// system intact.
#include "platform/platform.h"
#include "windows_internal.h"

std::string Error_Text(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return "不存在";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return "没有权限，或者文件正被别的程序使用";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "磁盘空间不足";
    default:
      return "系统错误 " + std::to_string(code);
  }
}

namespace {
// A path the system would cut at its first NUL character names nothing.
bool Has_Nul(const std::string& path) {
  return path.find('\0') != std::string::npos;
}

// Why `path` could not be written or put in place, in plain words.
std::string Write_Failure(DWORD error, const std::string& path) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
      // Also what Windows says when a folder stands at the file's name.
      return Path_Status(path) == PATH_DIRECTORY ? "一个同名的文件夹占着它的位置"
                                                 : "这个文件夹不允许写入";
    case ERROR_WRITE_PROTECT:
      return "这个文件夹所在的磁盘是只读的";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "磁盘已满";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "它正被别的程序使用";
    case ERROR_PATH_NOT_FOUND:
      return "它所在的文件夹不存在";
    default:
      return Error_Text(error);
  }
}
}  // namespace

Path_Kind Path_Status(const std::string& path) {
  std::wstring w = Widen(path);
  if (w.empty() || Has_Nul(path)) return PATH_MISSING;
  DWORD attributes = GetFileAttributesW(w.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PATH_MISSING;
  // Opening follows a symbolic link to its target and tells a device (NUL,
  // CON, a pipe) from a file on disk.
  HANDLE h = CreateFileW(w.c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION info;
    bool disk = GetFileType(h) == FILE_TYPE_DISK;
    if (disk && GetFileInformationByHandle(h, &info)) attributes = info.dwFileAttributes;
    CloseHandle(h);
    if (!disk) return PATH_OTHER;
  } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    return PATH_MISSING;  // a link whose target is gone
  }
  // A file that is in use cannot always be opened; its attributes still tell.
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PATH_OTHER;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PATH_DIRECTORY : PATH_FILE;
}

bool Read_Text_File(const std::string& path, size_t limit, std::string& text, std::string* err) {
  err->clear();
  if (Has_Nul(path)) return false;
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED)
      *err = Path_Status(path) == PATH_DIRECTORY ? "它是一个文件夹" : "没有读取它的权限";
    else if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      *err = Error_Text(error);
    return false;
  }
  // Only a file on disk: a device or a pipe could block or never end.
  std::string bytes;
  LARGE_INTEGER size;
  if (GetFileType(h) != FILE_TYPE_DISK) {
    *err = "它不是普通文件";
  } else if (!GetFileSizeEx(h, &size) || static_cast<unsigned long long>(size.QuadPart) > limit) {
    *err = "它太大了，不是设置文件";
  } else {
    char buffer[4096];
    DWORD got;
    while (ReadFile(h, buffer, static_cast<DWORD>(sizeof buffer), &got, nullptr) && got > 0) {
      bytes.append(buffer, got);
      if (bytes.size() > limit) {
        *err = "它太大了，不是设置文件";
        break;
      }
    }
  }
  CloseHandle(h);
  if (!err->empty()) return false;
  // CR LF becomes LF as text mode would make it, without text mode's habit
  // of ending the file at a Ctrl+Z byte.
  text.clear();
  for (size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
  return true;
}

bool Replace_Text_File(const std::string& path, const std::string& text, std::string* err) {
  if (Has_Nul(path)) {
    *err = Write_Failure(ERROR_INVALID_NAME, path);
    return false;
  }
  std::string disk = Crlf(text);
  std::wstring target = Widen(path);
  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  DWORD error = ERROR_FILE_EXISTS;
  for (int n = 0; n < 100 && h == INVALID_HANDLE_VALUE && error == ERROR_FILE_EXISTS; ++n) {
    temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n);
    h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    if (h == INVALID_HANDLE_VALUE) error = GetLastError();
    // A folder at that name answers "access denied": pass it by as well.
    if (error == ERROR_ACCESS_DENIED && Path_Status(Narrow(temp)) == PATH_DIRECTORY)
      error = ERROR_FILE_EXISTS;
  }
  if (h == INVALID_HANDLE_VALUE) {
    *err = Write_Failure(error, path);
    return false;
  }
  DWORD done = 0;
  error = ERROR_SUCCESS;
  if (!WriteFile(h, disk.data(), static_cast<DWORD>(disk.size()), &done, nullptr) ||
      done != disk.size() || !FlushFileBuffers(h))
    error = GetLastError();
  if (!CloseHandle(h) && error == ERROR_SUCCESS) error = GetLastError();
  // Windows refuses to replace a read-only file, and some of its calls refuse
  // hidden or system ones: clear those first, and put them back should the
  // replace fail.
  DWORD old = GetFileAttributesW(target.c_str());
  const DWORD blocking = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  bool cleared = error == ERROR_SUCCESS && old != INVALID_FILE_ATTRIBUTES && (old & blocking) &&
                 SetFileAttributesW(target.c_str(),
                                    (old & ~blocking) ? (old & ~blocking) : FILE_ATTRIBUTE_NORMAL);
  if (error == ERROR_SUCCESS &&
      MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  if (error == ERROR_SUCCESS) error = GetLastError();
  if (cleared) SetFileAttributesW(target.c_str(), old);
  DeleteFileW(temp.c_str());
  *err = Write_Failure(error, path);
  return false;
}

void Hide_File(const std::string& path) {
  SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
}

bool Create_Empty_File(const std::string& path) {
  if (Has_Nul(path)) return false;
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

// ---- Keeping work for the next run -------------------------------------------

namespace {
bool Fail(std::string* err, const std::string& what, DWORD code) {
  if (err) *err = what + "（" + Error_Text(code) + "）";
  return false;
}
}  // namespace

bool Stamp_File(const std::string& path, File_Stamp& stamp, std::string* err) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (Has_Nul(path)) return Fail(err, "无法查看 " + path, ERROR_INVALID_NAME);
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
    return Fail(err, "无法查看 " + path, GetLastError());
  stamp.size = static_cast<long long>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                      data.nFileSizeLow);
  stamp.written = static_cast<long long>(
      (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
      data.ftLastWriteTime.dwLowDateTime);
  return true;
}

bool Touch_File(const std::string& path, std::string* err) {
  std::string what = "无法更改 " + path + " 的时间";
  if (Has_Nul(path)) return Fail(err, what, ERROR_INVALID_NAME);
  HANDLE h = CreateFileW(Widen(path).c_str(), FILE_WRITE_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail(err, what, GetLastError());
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  bool done = SetFileTime(h, nullptr, nullptr, &now) != 0;
  DWORD code = GetLastError();
  CloseHandle(h);
  return done || Fail(err, what, code);
}

bool Make_Folders(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, "无法创建文件夹 " + path, ERROR_INVALID_NAME);
  // Each folder on the way, from the one after the drive or the share on.
  for (size_t at = path.find_first_of("\\/", 1);; at = path.find_first_of("\\/", at + 1)) {
    std::string folder = path.substr(0, at);
    bool made = CreateDirectoryW(Widen(folder).c_str(), nullptr) != 0;
    DWORD code = GetLastError();
    if (at != std::string::npos) continue;  // one on the way may be a drive, or be there
    if (!made && code != ERROR_ALREADY_EXISTS) return Fail(err, "无法创建文件夹 " + path, code);
    break;
  }
  return Path_Status(path) == PATH_DIRECTORY ||
         Fail(err, "无法创建文件夹 " + path, ERROR_ALREADY_EXISTS);
}

bool List_Folders(const std::string& folder, std::vector<std::string>& names, std::string* err) {
  names.clear();
  std::wstring inside = Widen(folder);
  if (!inside.empty() && inside.back() != L'\\' && inside.back() != L'/') inside += L'\\';
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((inside + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return Fail(err, "无法读取文件夹 " + folder, GetLastError());
  do {
    std::wstring name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
      names.push_back(Narrow(name));
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return true;
}

bool Move_Folder(const std::string& from, const std::string& to, std::string* err) {
  std::string what = "无法把 " + from + " 改名为 " + to;
  if (Has_Nul(from) || Has_Nul(to)) return Fail(err, what, ERROR_INVALID_NAME);
  // Without MOVEFILE_REPLACE_EXISTING, whatever is at `to` stays and the move fails.
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), 0) || Fail(err, what, GetLastError());
}

bool Take_Lock(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, "无法打开 " + path, ERROR_INVALID_NAME);
  // Shared with no one, and gone with the last handle: the handle is the
  // lock, left open until this process ends and Windows closes it.
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h != INVALID_HANDLE_VALUE) return true;
  DWORD code = GetLastError();
  return Fail(
      err, code == ERROR_SHARING_VIOLATION ? path + " 正被别的程序占用" : "无法锁定 " + path, code);
}
