// Stands in for MinGW-w64's addr2line.exe, which the tests do not have: has
// Debian's x86_64-w64-mingw32-addr2line (a Linux program, which Wine starts
// as it is) answer the same arguments, the program's Windows path turned into
// the Linux path that it can open, and writes its answer. Wine neither waits
// for a Linux program nor keeps a pipe open for it, so the answer comes
// through a file that is renamed once whole.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const char* const REAL = "/usr/bin/x86_64-w64-mingw32-addr2line";

// Wine's own call from a Windows path to the Linux one (UTF-8).
std::string Linux_Path(const wchar_t* path) {
  using To_Unix = char* (*)(const wchar_t*);
  FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name");
  auto to_unix = reinterpret_cast<To_Unix>(reinterpret_cast<void*>(found));
  char* unix_path = to_unix ? to_unix(path) : nullptr;
  if (unix_path == nullptr) return "";
  std::string text = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return text;
}

std::string Utf8(const wchar_t* text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &bytes[0], n, nullptr, nullptr);
  bytes.resize(static_cast<size_t>(n - 1));
  return bytes;
}

std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], n);
  wide.resize(static_cast<size_t>(n - 1));
  return wide;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring answer = std::wstring(temp) + L"addr2line-" + std::to_wstring(GetCurrentProcessId());
  std::string answer_path = Linux_Path(answer.c_str());
  std::string command = std::string("'") + REAL + "'";
  for (int i = 1; i < argc; i++) {
    bool program = i > 1 && std::wstring(argv[i - 1]) == L"-e";
    command += " '" + (program ? Linux_Path(argv[i]) : Utf8(argv[i])) + "'";
  }
  command += " > '" + answer_path + ".part' && mv '" + answer_path + ".part' '" + answer_path + "'";
  std::wstring line = L"/bin/sh -c \"" + Wide(command) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (answer_path.empty() || !CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                             nullptr, &startup, &process))
    return 127;
  for (int waited = 0;
       waited < 3000 && GetFileAttributesW(answer.c_str()) == INVALID_FILE_ATTRIBUTES; waited++)
    Sleep(10);
  FILE* file = _wfopen(answer.c_str(), L"rb");
  if (file == nullptr) return 1;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) fwrite(buffer, 1, got, stdout);
  fclose(file);
  DeleteFileW(answer.c_str());
  return 0;
}
