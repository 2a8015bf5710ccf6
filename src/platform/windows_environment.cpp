// The environment on Windows: the process's arguments and variables, the
// PATH's folders, where compilers are commonly installed, and where this
// program itself is.
#include <algorithm>

#include "platform/windows_internal.h"
// shellapi.h needs windows.h first.
#include <shellapi.h>

std::vector<std::string> Program_Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) args.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return args;
}

std::string Environment_Variable(const std::string& name) {
  std::wstring wide = Widen(name);
  DWORD n = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
  if (n == 0) return "";
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(wide.c_str(), &value[0], n);
  value.resize(n);
  return Narrow(value);
}

bool Set_Environment_Variable(const std::string& name, const std::string& value, std::string* err) {
  return SetEnvironmentVariableW(Widen(name).c_str(), Widen(value).c_str()) || Fail_Last(err);
}

std::vector<std::string> Path_Folders() {
  std::string path = Environment_Variable("PATH");
  std::vector<std::string> folders;
  size_t start = 0;
  for (;;) {
    size_t semicolon = path.find(';', start);
    std::string folder = path.substr(start, semicolon - start);
    // An entry may be quoted to hold a semicolon: cmd looks through the quotes.
    std::string bare;
    for (char c : folder)
      if (c != '"') bare += c;
    if (!bare.empty()) folders.push_back(bare);
    if (semicolon == std::string::npos) return folders;
    start = semicolon + 1;
  }
}

namespace {
// Every folder in `parent`, as full paths.
std::vector<std::string> Subfolders(const std::string& parent) {
  std::vector<std::string> folders;
  Finding found(Widen(parent + "\\*"));
  for (bool more = found.Found(); more; more = found.Next()) {
    std::wstring name = found.entry.cFileName;
    if ((found.entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
      folders.push_back(parent + "\\" + Narrow(name));
  }
  return folders;
}
}  // namespace

// Where the MinGW-w64 distributions that beginners are pointed to install
// themselves, and the editors that bring one along.
std::vector<std::string> Compiler_Folders() {
  std::string drive = Environment_Variable("SystemDrive");
  if (drive.empty()) drive = "C:";
  std::vector<std::string> folders = {
      drive + "\\mingw64\\bin",         drive + "\\msys64\\ucrt64\\bin",
      drive + "\\msys64\\mingw64\\bin", drive + "\\TDM-GCC-64\\bin",
      drive + "\\MinGW\\bin",
  };
  for (const char* variable : {"ProgramFiles", "ProgramFiles(x86)"}) {
    std::string programs = Environment_Variable(variable);
    if (programs.empty()) continue;
    // The MinGW-w64 installer puts each version in a folder named after it.
    for (const std::string& version : Subfolders(programs + "\\mingw-w64"))
      folders.push_back(version + "\\mingw64\\bin");
    folders.push_back(programs + "\\Dev-Cpp\\MinGW64\\bin");
    folders.push_back(programs + "\\Embarcadero\\Dev-Cpp\\TDM-GCC-64\\bin");
    folders.push_back(programs + "\\CodeBlocks\\MinGW\\bin");
  }
  return folders;
}

std::string Own_Path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return "";
    if (n < path.size()) return Narrow(path.substr(0, n));
    path.resize(path.size() * 2);  // cut short: a longer path than MAX_PATH
  }
}

std::string Typed_Path(const std::string& text) {
  return text;  // cmd gives "~" no meaning
}

std::string User_Cache_Folder() {
  return Environment_Variable("LOCALAPPDATA");
}

std::wstring Environment_Block(const std::vector<std::string>& extra) {
  if (extra.empty()) return L"";
  std::vector<std::wstring> entries;
  wchar_t* ours = GetEnvironmentStringsW();
  for (const wchar_t* at = ours; at != nullptr && *at != L'\0'; at += wcslen(at) + 1)
    entries.push_back(at);
  if (ours != nullptr) FreeEnvironmentStringsW(ours);
  for (const std::string& each : extra) {
    std::wstring entry = Widen(each), name = entry.substr(0, entry.find(L'=') + 1);
    auto same = std::find_if(entries.begin(), entries.end(), [&](const std::wstring& e) {
      return _wcsnicmp(e.c_str(), name.c_str(), name.size()) == 0;
    });
    if (same != entries.end())
      *same = entry;
    else
      entries.push_back(entry);
  }
  std::wstring block;
  for (const std::wstring& entry : entries) block += entry + L'\0';
  return block + L'\0';
}
