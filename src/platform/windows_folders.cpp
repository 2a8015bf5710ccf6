// Folders on Windows: what is in them, the temporary folder a sample runs
// in, removing a folder whole however deep it is (past MAX_PATH), and the
// folders a killed launcher left behind. Every path as UTF-16.
#include <aclapi.h>

#include <algorithm>

#include "platform/windows_internal.h"

namespace {

const wchar_t FOLDER_PREFIX[] = L"tws-sample-";  // then the launcher's process number, '-', a count

// The folder's path with one separator at its end.
std::wstring Inside(const std::string& folder) {
  std::wstring w = Widen(folder);
  if (!w.empty() && w.back() != L'\\' && w.back() != L'/') w += L'\\';
  return w;
}

// A whole path in the form that knows no MAX_PATH: "\\?\C:\…".
std::wstring Long_Form(const std::string& path) {
  std::wstring full = Full_Path(path);
  std::replace(full.begin(), full.end(), L'/', L'\\');
  if (full.compare(0, 2, L"\\\\") == 0) return full;
  return L"\\\\?\\" + full;
}

// The folder of temporary files, with its separator; "" when there is none.
std::wstring Temp_Base(DWORD& error) {
  wchar_t base[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, base);
  error = n == 0 ? GetLastError() : n > MAX_PATH ? ERROR_BUFFER_OVERFLOW : ERROR_SUCCESS;
  return error == ERROR_SUCCESS ? std::wstring(base, n) : L"";
}

// Empties `folder` (in its long form) and removes it unless `keep`, with one
// listing open at a time. Read-only files and folders go too; a link to a
// folder is removed, never entered. False at the first thing that will not
// go, its code in `error`.
bool Remove_All(const std::wstring& folder, bool keep, DWORD& error) {
  std::vector<std::wstring> pending{folder};  // folders to empty, the deepest last
  while (!pending.empty()) {
    std::wstring at = pending.back();
    std::vector<std::wstring> inner;
    {
      Finding found(at + L"\\*");
      for (bool more = found.Found(); more; more = found.Next()) {
        std::wstring name = found.entry.cFileName, path = at + L"\\" + name;
        DWORD kind = found.entry.dwFileAttributes;
        if (name == L"." || name == L"..") continue;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        bool gone = true;
        if ((kind & FILE_ATTRIBUTE_DIRECTORY) && !(kind & FILE_ATTRIBUTE_REPARSE_POINT))
          inner.push_back(path);
        else if (kind & FILE_ATTRIBUTE_DIRECTORY)
          gone = RemoveDirectoryW(path.c_str());
        else
          gone = DeleteFileW(path.c_str());
        if (!gone) {
          error = GetLastError();
          return false;
        }
      }
    }
    if (!inner.empty()) {
      pending.insert(pending.end(), inner.begin(), inner.end());
      continue;
    }
    if (!(keep && pending.size() == 1) && !RemoveDirectoryW(at.c_str())) {
      error = GetLastError();
      return false;
    }
    pending.pop_back();
  }
  return true;
}

Entry_Kind Kind_Of(DWORD attributes) {
  return attributes & FILE_ATTRIBUTE_DIRECTORY ? ENTRY_FOLDER : ENTRY_FILE;
}

// True while process `pid` runs.
bool Running(DWORD pid) {
  Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process.Valid()) return GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  return !GetExitCodeProcess(process.h, &code) || code == STILL_ACTIVE;
}

}  // namespace

bool List_Folder(const std::string& folder, std::vector<Folder_Entry>& entries, std::string* err) {
  entries.clear();
  Finding found(Inside(folder) + L"*");
  if (!found.Found()) return Fail_Last(err);
  do {
    std::string name = Narrow(found.entry.cFileName);
    if (name == "." || name == "..") continue;
    Folder_Entry item{name, Kind_Of(found.entry.dwFileAttributes), ""};
    if (found.entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      item.target = Real_Path(Narrow(Inside(folder)) + name);
      DWORD target = GetFileAttributesW(Widen(item.target).c_str());
      item.kind = item.target.empty() || target == INVALID_FILE_ATTRIBUTES ? ENTRY_BROKEN_LINK
                                                                           : Kind_Of(target);
    }
    entries.push_back(item);
  } while (found.Next());
  return true;
}

std::string Real_Path(const std::string& path) {
  Handle h(CreateFileW(Widen(path).c_str(), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.Valid()) return "";
  std::wstring real(32768, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h.h, &real[0], 32768, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n == 0 || n >= 32768) return "";
  real.resize(n);
  if (real.compare(0, 8, L"\\\\?\\UNC\\") == 0) return Narrow(L"\\\\" + real.substr(8));
  if (real.compare(0, 4, L"\\\\?\\") == 0) real = real.substr(4);
  return Narrow(real);
}

bool Make_Temp_Folder(std::string& path, std::string* err) {
  DWORD error = ERROR_SUCCESS;
  std::wstring base = Temp_Base(error);
  if (base.empty()) return Fail_Code(err, error);
  static unsigned made = 0;  // folders this process has made, for a name of each one's own
  for (unsigned tries = 0; tries < 100; ++tries) {
    std::wstring name = base + FOLDER_PREFIX + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(++made);
    if (CreateDirectoryW(name.c_str(), nullptr)) {
      path = Narrow(name);
      return true;
    }
    error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS) return Fail_Code(err, error);
  }
  return Fail_Code(err, ERROR_ALREADY_EXISTS);
}

namespace {
// Remove_All, tried again for a while: a file the ended program still held
// open can take a moment to let go.
bool Remove_Patiently(const std::string& path, bool keep, std::string* err) {
  std::wstring folder = Long_Form(path);
  DWORD error = ERROR_SUCCESS;
  for (int tries = 0; tries < 20; ++tries) {
    if (Remove_All(folder, keep, error)) return true;
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) break;
    Sleep(50);
  }
  return Fail_Code(err, error);
}
}  // namespace

bool Remove_Tree(const std::string& path, std::string* err) {
  return Remove_Patiently(path, false, err);
}

bool Empty_Folder(const std::string& path, std::string* err) {
  return Remove_Patiently(path, true, err);
}

void Remove_Left_Folders() {
  DWORD error = ERROR_SUCCESS;
  std::wstring base = Temp_Base(error);
  if (base.empty()) return;
  std::vector<std::wstring> left;
  {
    Finding found(base + FOLDER_PREFIX + L"*");
    for (bool more = found.Found(); more; more = found.Next()) {
      std::wstring name = found.entry.cFileName;
      DWORD owner = wcstoul(name.c_str() + wcslen(FOLDER_PREFIX), nullptr, 10);
      if ((found.entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && owner != 0 &&
          owner != GetCurrentProcessId() && !Running(owner))
        left.push_back(base + name);
    }
  }
  for (const std::wstring& folder : left) Remove_Tree(Narrow(folder), nullptr);
}

bool Make_Folders(const std::string& path, std::string* err) {
  // Each folder on the way, from the one after the drive or the share on.
  for (size_t at = path.find_first_of("\\/", 1);; at = path.find_first_of("\\/", at + 1)) {
    bool made = CreateDirectoryW(Widen(path.substr(0, at)).c_str(), nullptr) != 0;
    DWORD error = GetLastError();
    if (at != std::string::npos) continue;  // one on the way may be a drive, or be there
    if (!made && error != ERROR_ALREADY_EXISTS) return Fail_Code(err, error, DOING_WRITE);
    break;
  }
  // A file of that name was there instead.
  return Path_Status(path) == PATH_DIRECTORY || Fail(err, FAILURE_EXISTS, DOING_WRITE);
}

namespace {
// Whether `sid` is this process's user, or the owner it gives what it makes
// (the Administrators for an elevated administrator).
bool Is_Ours(PSID sid) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  Handle held(token);
  for (TOKEN_INFORMATION_CLASS kind : {TokenUser, TokenOwner}) {
    DWORD size = 0;
    GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<char> buffer(size);
    if (size == 0 || !GetTokenInformation(token, kind, buffer.data(), size, &size)) continue;
    PSID own = kind == TokenUser ? reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid
                                 : reinterpret_cast<TOKEN_OWNER*>(buffer.data())->Owner;
    if (EqualSid(own, sid)) return true;
  }
  return false;
}
}  // namespace

// The folders under %LOCALAPPDATA% are closed to other users by what they
// inherit: what is checked is that the folder is one and that it is ours.
bool Make_Private_Folder(const std::string& path, std::string* err) {
  std::wstring w = Widen(path);
  if (!CreateDirectoryW(w.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    return Fail_Last(err, DOING_WRITE);
  DWORD attributes = GetFileAttributesW(w.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Fail_Last(err);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return Fail(err, FAILURE_DENIED);
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  DWORD error = GetNamedSecurityInfoW(w.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                      nullptr, nullptr, nullptr, &descriptor);
  if (error != ERROR_SUCCESS) return Fail_Code(err, error);
  bool ours = owner && Is_Ours(owner);
  LocalFree(descriptor);
  return ours || Fail(err, FAILURE_DENIED);
}

bool Move_Folder(const std::string& from, const std::string& to, std::string* err) {
  // Without MOVEFILE_REPLACE_EXISTING, whatever is at `to` stays and the move fails.
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), 0) || Fail_Last(err);
}
