// Text encodings on Windows. The program's text is UTF-8; Windows gets every
// path, command and console character as UTF-16 through the wide calls,
// because a narrow call would read UTF-8 bytes in the ANSI code page (936 on
// Chinese Windows) and name the wrong file. No application manifest declares
// UTF-8 as the process code page: no narrow call is left for it to change.
#include "platform/windows_internal.h"

std::wstring Widen(const std::string& s) {
  if (s.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
  return s;
}

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

bool Decode_GBK(const std::string& bytes, std::string& text) {
  text.clear();
  if (bytes.empty()) return true;
  int size = static_cast<int>(bytes.size());
  int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (n == 0) return false;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(), size, &wide[0], n);
  text = Narrow(wide);
  return true;
}
