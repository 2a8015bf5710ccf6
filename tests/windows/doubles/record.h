// What every test double shares: its arguments as UTF-8, and a log beside it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

inline std::string Utf8(const wchar_t* w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
  return s;
}

// This program's own path with its extension replaced by `extension`.
inline std::wstring Beside_Me(const std::wstring& extension) {
  wchar_t self[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  std::wstring path(self, n);
  return path.substr(0, path.size() - 4) + extension;
}

// Appends one line to the log beside the program: each argument in brackets.
// The test reads it back to see exactly which words arrived.
inline void Record(int argc, wchar_t** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += "[" + Utf8(argv[i]) + "]";
  line += "\n";
  FILE* log = _wfopen(Beside_Me(L".log").c_str(), L"ab");
  if (log == nullptr) return;
  fwrite(line.data(), 1, line.size(), log);
  fclose(log);
}
