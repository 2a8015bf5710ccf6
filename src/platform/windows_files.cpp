// Files on Windows: every path as UTF-16, so Chinese names reach the file
// system intact; and the handles that hold them open.
#include <algorithm>

#include "platform/windows_internal.h"

void Handle::Close() {
  if (Valid()) CloseHandle(h);
  h = nullptr;
}

namespace {
// A path the system would cut at its first NUL character names nothing.
bool Has_Nul(const std::string& path) {
  return path.find('\0') != std::string::npos;
}

const DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// An existing file or folder opened to ask about it, links followed.
HANDLE Open_To_Ask(const std::wstring& path) {
  return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, SHARE_ALL, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Up to `most` bytes from the handle's position on.
bool Read_All(HANDLE h, size_t most, std::string& bytes, std::string* err) {
  bytes.clear();
  char chunk[65536];
  DWORD got = 0;
  while (bytes.size() < most) {
    DWORD want = static_cast<DWORD>(std::min<size_t>(sizeof chunk, most - bytes.size()));
    if (!ReadFile(h, chunk, want, &got, nullptr)) return Fail_Last(err);
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  return true;
}

// A new file beside `target` that no one else has: its handle (invalid, with
// the reason in `error`, when there is none) and its name in `temp`.
HANDLE Create_Temporary(const std::wstring& target, std::wstring& temp, DWORD& error) {
  error = ERROR_FILE_EXISTS;
  for (int n = 0; n < 100 && error == ERROR_FILE_EXISTS; ++n) {
    temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n);
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) return h;
    error = GetLastError();
    // A folder at that name answers "access denied": pass it by as well.
    if (error == ERROR_ACCESS_DENIED && Path_Status(Narrow(temp)) == PATH_DIRECTORY)
      error = ERROR_FILE_EXISTS;
  }
  return INVALID_HANDLE_VALUE;
}

// Writes the whole text to the file, to the disk itself when `flush`, and
// closes it: ERROR_SUCCESS, or why not.
DWORD Write_And_Close(Handle& file, const std::string& bytes, bool flush) {
  DWORD done = 0, error = ERROR_SUCCESS;
  if (!WriteFile(file.h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
      (flush && !FlushFileBuffers(file.h)))
    error = GetLastError();
  else if (done != bytes.size())
    error = ERROR_DISK_FULL;
  HANDLE h = file.h;
  file.h = nullptr;
  if (!CloseHandle(h) && error == ERROR_SUCCESS) error = GetLastError();
  return error;
}

// Puts the file `temp` in place of `target`. Windows refuses to replace a
// read-only file, and some of its calls refuse hidden or system ones: those
// are cleared first, and put back should the replace fail. ERROR_SUCCESS, or why not.
DWORD Move_In_Place(const std::wstring& temp, const std::wstring& target) {
  DWORD old = GetFileAttributesW(target.c_str());
  const DWORD blocking = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  bool cleared = old != INVALID_FILE_ATTRIBUTES && (old & blocking) &&
                 SetFileAttributesW(target.c_str(),
                                    (old & ~blocking) ? (old & ~blocking) : FILE_ATTRIBUTE_NORMAL);
  if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return ERROR_SUCCESS;
  DWORD error = GetLastError();
  if (cleared) SetFileAttributesW(target.c_str(), old);
  return error;
}

// Why `path` could not be written: a folder at its name answers "access
// denied" too, and is named as what it is.
bool Write_Failed(std::string* err, DWORD error, const std::string& path) {
  if (error == ERROR_ACCESS_DENIED && Path_Status(path) == PATH_DIRECTORY)
    return Fail(err, FAILURE_IS_FOLDER, DOING_WRITE);
  return Fail_Code(err, error, DOING_WRITE);
}

// Makes the new file `path` whole or not at all: `fill` writes a file of ours beside it
// (ERROR_SUCCESS, or why not), which then takes the name, never over another's.
bool Write_Whole(const std::string& path, const std::function<DWORD(const std::wstring&)>& fill,
                 std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  std::wstring target = Widen(path), temp;
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES)
    return Fail(err, FAILURE_EXISTS, DOING_WRITE);
  DWORD error;
  Handle file(Create_Temporary(target, temp, error));
  if (!file.Valid()) return Write_Failed(err, error, path);
  file.Close();
  error = fill(temp);
  if (error == ERROR_SUCCESS && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error == ERROR_SUCCESS) return true;
  DeleteFileW(temp.c_str());
  return Write_Failed(err, error, path);
}
}  // namespace

Path_Kind Path_Status(const std::string& path) {
  std::wstring w = Widen(path);
  if (w.empty() || Has_Nul(path)) return PATH_MISSING;
  DWORD attributes = GetFileAttributesW(w.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PATH_MISSING;
  // Opening follows a symbolic link to its target and tells a device (NUL,
  // CON, a pipe) from a file on disk.
  Handle file(Open_To_Ask(w));
  if (file.Valid()) {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file.h) != FILE_TYPE_DISK) return PATH_OTHER;
    if (GetFileInformationByHandle(file.h, &info)) attributes = info.dwFileAttributes;
  } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    return PATH_MISSING;  // a link whose target is gone
  }
  // A file that is in use cannot always be opened; its attributes still tell.
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PATH_OTHER;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PATH_DIRECTORY : PATH_FILE;
}

bool Read_Text_File(const std::string& path, size_t limit, std::string& text, std::string* err) {
  if (err) err->clear();
  if (Has_Nul(path)) return false;
  Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED && Path_Status(path) == PATH_DIRECTORY)
      return Fail(err, FAILURE_IS_FOLDER, DOING_READ);
    return Fail_Code(err, error, DOING_READ);  // nothing there: no reason to tell
  }
  // Only a file on disk: a device or a pipe could block or never end.
  LARGE_INTEGER size;
  if (GetFileType(file.h) != FILE_TYPE_DISK) return Fail(err, FAILURE_NOT_REGULAR, DOING_READ);
  if (!GetFileSizeEx(file.h, &size) || static_cast<unsigned long long>(size.QuadPart) > limit)
    return Fail(err, FAILURE_TOO_LARGE, DOING_READ);
  std::string bytes;
  size_t most = limit < static_cast<size_t>(-1) ? limit + 1 : limit;  // one more tells it is over
  if (!Read_All(file.h, most, bytes, err)) return false;
  if (bytes.size() > limit) return Fail(err, FAILURE_TOO_LARGE, DOING_READ);
  // CR LF becomes LF as text mode would make it, without text mode's habit
  // of ending the file at a Ctrl+Z byte.
  text.clear();
  for (size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
  return true;
}

bool Replace_Text_File(const std::string& path, const std::string& text, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  std::wstring target = Widen(path), temp;
  DWORD error;
  Handle file(Create_Temporary(target, temp, error));
  if (!file.Valid()) return Write_Failed(err, error, path);
  error = Write_And_Close(file, Crlf(text), true);
  if (error == ERROR_SUCCESS) error = Move_In_Place(temp, target);
  if (error == ERROR_SUCCESS) return true;
  DeleteFileW(temp.c_str());
  return Write_Failed(err, error, path);
}

bool Hide_File(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND);
  return SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_HIDDEN) || Fail_Last(err);
}

bool Create_Empty_File(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  Handle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid() || Fail_Last(err, DOING_WRITE);
}

bool Read_Bytes(const std::string& path, size_t most, std::string& bytes, std::string* err) {
  bytes.clear();
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND);
  Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, SHARE_ALL, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return Fail_Last(err);
  return Read_All(file.h, most, bytes, err);
}

bool Read_Chunks(const std::string& path, const std::function<bool(const char*, size_t)>& take,
                 std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND);
  Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, SHARE_ALL, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) return Fail_Last(err);
  std::vector<char> chunk(1 << 20);
  for (DWORD got = 0;;) {
    if (!ReadFile(file.h, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr))
      return Fail_Last(err);
    if (got == 0 || !take(chunk.data(), got)) return true;
  }
}

bool Copy_File(const std::string& from, const std::string& to, std::string* err) {
  if (Has_Nul(from)) return Fail(err, FAILURE_NOT_FOUND);
  // What is missing is then the file copied, not the place of the copy.
  if (GetFileAttributesW(Widen(from).c_str()) == INVALID_FILE_ATTRIBUTES) return Fail_Last(err);
  return Write_Whole(
      to,
      [&](const std::wstring& temp) -> DWORD {
        return CopyFileW(Widen(from).c_str(), temp.c_str(), FALSE) ? ERROR_SUCCESS : GetLastError();
      },
      err);
}

bool Write_New_File(const std::string& path, const std::string& bytes, std::string* err) {
  return Write_Whole(
      path,
      [&](const std::wstring& temp) -> DWORD {
        Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.Valid() ? Write_And_Close(file, bytes, false) : GetLastError();
      },
      err);
}

bool Replace_File(const std::string& from, const std::string& to, std::string* err) {
  if (Has_Nul(from) || Has_Nul(to)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  DWORD error = Move_In_Place(Widen(from), Widen(to));
  return error == ERROR_SUCCESS || Write_Failed(err, error, to);
}

bool Remove_File(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND);
  return DeleteFileW(Widen(path).c_str()) || Fail_Last(err);
}

namespace {
// The volume and the file's index on it: one file's identity, however it is
// reached. False when the file cannot be opened to ask.
bool File_Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  if (Has_Nul(path)) return false;
  Handle file(Open_To_Ask(Widen(path)));
  return file.Valid() && GetFileInformationByHandle(file.h, &info) != 0;
}
}  // namespace

bool Same_File(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first, second;
  if (!File_Identity(a, first) || !File_Identity(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

bool Stamp_File(const std::string& path, File_Stamp& stamp, std::string* err) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND);
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
    return Fail_Last(err);
  stamp.size = static_cast<long long>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                      data.nFileSizeLow);
  stamp.written = static_cast<long long>(
      (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
      data.ftLastWriteTime.dwLowDateTime);
  return true;
}

bool Touch_File(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  Handle file(CreateFileW(Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, SHARE_ALL, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.Valid()) return Fail_Last(err, DOING_WRITE);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return SetFileTime(file.h, nullptr, nullptr, &now) || Fail_Last(err, DOING_WRITE);
}

bool Take_Lock(const std::string& path, std::string* err) {
  if (Has_Nul(path)) return Fail(err, FAILURE_NOT_FOUND, DOING_WRITE);
  // Shared with no one, and gone with the last handle: the handle is the
  // lock, left open until this process ends and Windows closes it.
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h != INVALID_HANDLE_VALUE) return true;
  // A holder's file that is going answers "access denied": held all the same.
  DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED
             ? Fail(err, FAILURE_BUSY)
             : Fail_Code(err, error, DOING_WRITE);
}
