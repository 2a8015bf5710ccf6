// Files on Windows: every path as UTF-16, so Chinese names reach the file
// system intact.
#include "platform/platform.h"
#include "windows_internal.h"

Path_Kind Path_Status(const std::string& path) {
  std::wstring w = Widen(path);
  if (w.empty()) return PATH_MISSING;
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

bool Read_Text_File(const std::string& path, std::string& text) {
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::string bytes;
  char buffer[4096];
  DWORD got;
  while (ReadFile(h, buffer, static_cast<DWORD>(sizeof buffer), &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(h);
  // CR LF becomes LF as text mode would make it, without text mode's habit
  // of ending the file at a Ctrl+Z byte.
  text.clear();
  for (size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
  return true;
}

bool Replace_Text_File(const std::string& path, const std::string& text) {
  std::string disk = Crlf(text);
  std::wstring target = Widen(path);
  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int n = 0; n < 100 && h == INVALID_HANDLE_VALUE; ++n) {
    temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n);
    h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool written = WriteFile(h, disk.data(), static_cast<DWORD>(disk.size()), &done, nullptr) &&
                 done == disk.size() && FlushFileBuffers(h);
  written = CloseHandle(h) && written;
  // Windows refuses to replace a read-only file, and some of its calls refuse
  // hidden or system ones: clear those first, and put them back should the
  // replace fail.
  DWORD old = GetFileAttributesW(target.c_str());
  const DWORD blocking = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  bool cleared = written && old != INVALID_FILE_ATTRIBUTES && (old & blocking) &&
                 SetFileAttributesW(target.c_str(),
                                    (old & ~blocking) ? (old & ~blocking) : FILE_ATTRIBUTE_NORMAL);
  if (written &&
      MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  if (cleared) SetFileAttributesW(target.c_str(), old);
  DeleteFileW(temp.c_str());
  return false;
}

void Hide_File(const std::string& path) {
  SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
}

bool Create_Empty_File(const std::string& path) {
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}
