// The files of sample runs on Windows: listing, reading and copying them,
// and the temporary folder each run works in. Every path as UTF-16.
#include "platform/platform.h"
#include "windows_internal.h"

namespace {

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

bool Remove_All(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
  bool ok = true;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + name;
      // Read-only files and folders go too; a link to a folder is removed, not entered.
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        ok = DeleteFileW(path.c_str()) && ok;
      else if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        ok = RemoveDirectoryW(path.c_str()) && ok;
      else
        ok = Remove_All(path + L"\\") && RemoveDirectoryW(path.c_str()) && ok;
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  return ok;
}

}  // namespace

bool List_Files(const std::string& folder, std::vector<std::string>& names, std::string* err) {
  names.clear();
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((Inside(folder) + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return Fail(err, "无法读取文件夹 " + folder);
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(Narrow(entry.cFileName));
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return true;
}

bool Read_Bytes(const std::string& path, size_t most, std::string& bytes, std::string* err) {
  bytes.clear();
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail(err, "无法读取 " + path);
  char chunk[65536];
  DWORD got = 0;
  bool ok = true;
  while (bytes.size() < most) {
    DWORD want =
        static_cast<DWORD>(most - bytes.size() < sizeof chunk ? most - bytes.size() : sizeof chunk);
    if (!ReadFile(h, chunk, want, &got, nullptr)) ok = Fail(err, "无法读取 " + path);
    if (!ok || got == 0) break;
    bytes.append(chunk, got);
  }
  CloseHandle(h);
  return ok;
}

bool Copy_File(const std::string& from, const std::string& to, std::string* err) {
  if (CopyFileW(Widen(from).c_str(), Widen(to).c_str(), TRUE)) return true;
  return Fail(err, "无法把 " + from + " 复制到 " + to);
}

bool Make_Temp_Folder(std::string& path, std::string* err) {
  wchar_t base[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, base);
  if (n == 0 || n > MAX_PATH) return Fail(err, "无法创建临时文件夹");
  static unsigned made = 0;  // folders this process has made, for a name of each one's own
  for (unsigned tries = 0; tries < 100; ++tries) {
    std::wstring name = std::wstring(base) + L"tws-sample-" +
                        std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++made);
    if (CreateDirectoryW(name.c_str(), nullptr)) {
      path = Narrow(name);
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return Fail(err, "无法创建临时文件夹");
}

bool Remove_Tree(const std::string& path, std::string* err) {
  std::wstring folder = Widen(path);
  // A file the ended program still held open can take a moment to let go.
  for (int tries = 0; tries < 20; ++tries) {
    if (Remove_All(folder + L"\\") && RemoveDirectoryW(folder.c_str())) return true;
    Sleep(50);
  }
  return Fail(err, "无法删除临时文件夹 " + path);
}
