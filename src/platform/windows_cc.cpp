// The compiler companion's platform operations on Windows.
#include "platform/platform.h"
#include "windows_internal.h"

std::string Own_Path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return "";
    if (n < path.size()) return Narrow(path.substr(0, n));
    path.resize(path.size() * 2);  // cut short: a longer path than MAX_PATH
  }
}

namespace {
// The volume and the file's index on it: one file's identity, however it is
// reached. False when the file cannot be opened to ask.
bool File_Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE h =
      CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool known = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  return known;
}

// Every folder in `parent`, as full paths.
std::vector<std::string> Subfolders(const std::string& parent) {
  std::vector<std::string> folders;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(Widen(parent + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return folders;
  do {
    std::wstring name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
      folders.push_back(parent + "\\" + Narrow(name));
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return folders;
}
}  // namespace

bool Same_File(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first, second;
  if (!File_Identity(a, first) || !File_Identity(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
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

std::vector<std::string> Programs_In(const std::vector<std::string>& folders,
                                     const std::string& name) {
  std::vector<std::string> found;
  for (std::string folder : folders) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    std::string candidate = folder + "\\" + name + ".exe";
    if (Path_Status(candidate) == PATH_FILE) found.push_back(candidate);
  }
  return found;
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

void Set_Environment_Variable(const std::string& name, const std::string& value) {
  SetEnvironmentVariableW(Widen(name).c_str(), Widen(value).c_str());
}

std::string User_Cache_Folder() {
  return Environment_Variable("LOCALAPPDATA");
}
