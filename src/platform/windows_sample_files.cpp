// The files of sample runs on Windows: listing, reading and copying them,
// and the temporary folder each run works in. Every path as UTF-16, and a
// folder removed however deep its tree, past MAX_PATH.
#include <algorithm>

#include "platform/platform.h"
#include "windows_internal.h"

namespace {

const wchar_t FOLDER_PREFIX[] = L"tws-sample-";  // then the launcher's process number, '-', a count

bool Fail(std::string* err, const std::string& what) {
  if (err) *err = what + "（" + Error_Text(GetLastError()) + "）";
  return false;
}

// The folder's path with one separator at its end.
std::wstring Inside(const std::string& folder) {
  std::wstring w = Widen(folder);
  if (!w.empty() && w.back() != L'\\' && w.back() != L'/') w += L'\\';
  return w;
}

// A whole path in the form that has no MAX_PATH: "\\?\C:\…".
std::wstring Long_Form(const std::wstring& path) {
  std::wstring full = Full_Path(Narrow(path));
  std::replace(full.begin(), full.end(), L'/', L'\\');
  if (full.compare(0, 2, L"\\\\") == 0) return full;
  return L"\\\\?\\" + full;
}

std::wstring Temp_Base() {
  wchar_t base[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, base);
  return n == 0 || n > MAX_PATH ? L"" : std::wstring(base, n);
}

// Empties `folder` (in its long form) and removes it, with one listing open
// at a time. Read-only files and folders go too; a link to a folder is
// removed, never entered. False at the first thing that will not go.
bool Remove_All(const std::wstring& folder) {
  std::vector<std::wstring> pending{folder};  // folders to empty, the deepest last
  while (!pending.empty()) {
    std::wstring at = pending.back();
    std::vector<std::wstring> inner;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((at + L"\\*").c_str(), &entry);
    bool ok = true;
    for (bool more = find != INVALID_HANDLE_VALUE; more && ok; more = FindNextFileW(find, &entry)) {
      std::wstring name = entry.cFileName, path = at + L"\\" + name;
      if (name == L"." || name == L"..") continue;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DWORD kind = entry.dwFileAttributes;
      if ((kind & FILE_ATTRIBUTE_DIRECTORY) && !(kind & FILE_ATTRIBUTE_REPARSE_POINT))
        inner.push_back(path);
      else if (kind & FILE_ATTRIBUTE_DIRECTORY)
        ok = RemoveDirectoryW(path.c_str());
      else
        ok = DeleteFileW(path.c_str());
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    if (!ok) return false;
    if (!inner.empty()) {
      pending.insert(pending.end(), inner.begin(), inner.end());
      continue;
    }
    if (!RemoveDirectoryW(at.c_str())) return false;
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
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((Inside(folder) + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return Fail(err, "无法读取文件夹 " + folder);
  do {
    std::string name = Narrow(entry.cFileName);
    if (name == "." || name == "..") continue;
    Folder_Entry item{name, Kind_Of(entry.dwFileAttributes), ""};
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      item.target = Real_Path(Narrow(Inside(folder)) + name);
      DWORD target = GetFileAttributesW(Widen(item.target).c_str());
      item.kind = item.target.empty() || target == INVALID_FILE_ATTRIBUTES ? ENTRY_BROKEN_LINK
                                                                           : Kind_Of(target);
    }
    entries.push_back(item);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return true;
}

std::string Real_Path(const std::string& path) {
  Handle h(CreateFileW(Widen(path).c_str(), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.Valid()) return "";
  wchar_t buffer[32768];
  DWORD n = GetFinalPathNameByHandleW(h.h, buffer, 32768, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n == 0 || n >= 32768) return "";
  std::wstring real(buffer, n);
  if (real.compare(0, 8, L"\\\\?\\UNC\\") == 0) return Narrow(L"\\\\" + real.substr(8));
  if (real.compare(0, 4, L"\\\\?\\") == 0) real = real.substr(4);
  return Narrow(real);
}

bool Read_Bytes(const std::string& path, size_t most, std::string& bytes, std::string* err) {
  bytes.clear();
  Handle h(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.Valid()) return Fail(err, "无法读取 " + path);
  char chunk[65536];
  DWORD got = 0;
  while (bytes.size() < most) {
    DWORD want = static_cast<DWORD>(std::min(most - bytes.size(), sizeof chunk));
    if (!ReadFile(h.h, chunk, want, &got, nullptr)) return Fail(err, "无法读取 " + path);
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  return true;
}

bool Copy_File(const std::string& from, const std::string& to, std::string* err) {
  if (CopyFileW(Widen(from).c_str(), Widen(to).c_str(), TRUE)) return true;
  return Fail(err, "无法把 " + from + " 复制到 " + to);
}

bool Make_Temp_Folder(std::string& path, std::string* err) {
  std::wstring base = Temp_Base();
  if (base.empty()) return Fail(err, "无法创建临时文件夹");
  static unsigned made = 0;  // folders this process has made, for a name of each one's own
  for (unsigned tries = 0; tries < 100; ++tries) {
    std::wstring name = base + FOLDER_PREFIX + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(++made);
    if (CreateDirectoryW(name.c_str(), nullptr)) {
      path = Narrow(name);
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return Fail(err, "无法创建临时文件夹");
}

bool Remove_Tree(const std::string& path, std::string* err) {
  std::wstring folder = Long_Form(Widen(path));
  // A file the ended program still held open can take a moment to let go.
  for (int tries = 0; tries < 20; ++tries) {
    if (Remove_All(folder)) return true;
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) break;
    Sleep(50);
  }
  return Fail(err, "无法删除临时文件夹 " + path);
}

void Remove_Left_Folders() {
  std::wstring base = Temp_Base();
  std::vector<std::wstring> left;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((base + FOLDER_PREFIX + L"*").c_str(), &entry);
  if (base.empty() || find == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = entry.cFileName;
    DWORD owner = wcstoul(name.c_str() + wcslen(FOLDER_PREFIX), nullptr, 10);
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && owner != 0 &&
        owner != GetCurrentProcessId() && !Running(owner))
      left.push_back(base + name);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  for (const std::wstring& folder : left) Remove_Tree(Narrow(folder), nullptr);
}
