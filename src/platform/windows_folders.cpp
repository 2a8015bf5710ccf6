// Folders on Windows: what is in them, the temporary folder a sample runs
// in, and removing a folder whole. Every path as UTF-16.
#include "platform/windows_internal.h"

namespace {
// The folder's path with one separator at its end.
std::wstring Inside(const std::string& folder) {
  std::wstring w = Widen(folder);
  if (!w.empty() && w.back() != L'\\' && w.back() != L'/') w += L'\\';
  return w;
}

// Whether a call succeeded; the first failure's code is kept in `error`.
bool Done(BOOL ok, DWORD& error) {
  if (!ok && error == ERROR_SUCCESS) error = GetLastError();
  return ok != 0;
}

// Removes everything inside `folder` (which ends with a separator); the
// first failure's code goes to `error`.
bool Remove_All(const std::wstring& folder, DWORD& error) {
  Finding found(folder + L"*");
  bool ok = true;
  for (bool more = found.Found(); more; more = found.Next()) {
    std::wstring name = found.entry.cFileName;
    DWORD attributes = found.entry.dwFileAttributes;
    if (name == L"." || name == L"..") continue;
    std::wstring path = folder + name;
    // Read-only files and folders go too; a link to a folder is removed, not entered.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
      ok = Done(DeleteFileW(path.c_str()), error) && ok;
    else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
      ok = Done(RemoveDirectoryW(path.c_str()), error) && ok;
    else
      ok = Remove_All(path + L"\\", error) && Done(RemoveDirectoryW(path.c_str()), error) && ok;
  }
  return ok;
}
}  // namespace

bool List_Files(const std::string& folder, std::vector<std::string>& names, std::string* err) {
  names.clear();
  Finding found(Inside(folder) + L"*");
  if (!found.Found()) return Fail_Last(err);
  do {
    if (!(found.entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(Narrow(found.entry.cFileName));
  } while (found.Next());
  return true;
}

bool Make_Temp_Folder(std::string& path, std::string* err) {
  wchar_t base[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, base);
  if (n == 0) return Fail_Last(err);
  if (n > MAX_PATH) return Fail_Code(err, ERROR_BUFFER_OVERFLOW);
  static unsigned made = 0;  // folders this process has made, for a name of each one's own
  for (unsigned tries = 0; tries < 100; ++tries) {
    std::wstring name = std::wstring(base) + L"tws-sample-" +
                        std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++made);
    if (CreateDirectoryW(name.c_str(), nullptr)) {
      path = Narrow(name);
      return true;
    }
    DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS) return Fail_Code(err, error);
  }
  return Fail_Code(err, ERROR_ALREADY_EXISTS);
}

bool Remove_Tree(const std::string& path, std::string* err) {
  std::wstring folder = Widen(path);
  // A file the ended program still held open can take a moment to let go.
  DWORD error = ERROR_SUCCESS;
  for (int tries = 0; tries < 20; ++tries) {
    error = ERROR_SUCCESS;
    if (Remove_All(folder + L"\\", error) && Done(RemoveDirectoryW(folder.c_str()), error))
      return true;
    Sleep(50);
  }
  return Fail_Code(err, error);
}
