#include "common/names.h"

#include <cstdio>

std::string Base_Name(const std::string& path) {
  std::string::size_type last = path.find_last_of("/\\");
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string Shown_Path(const std::string& path) {
  std::string shown;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    // C1 controls are U+0080 to U+009F, two bytes in UTF-8.
    bool c1 = c == 0xC2 && i + 1 < path.size() && static_cast<unsigned char>(path[i + 1]) < 0xA0 &&
              static_cast<unsigned char>(path[i + 1]) >= 0x80;
    if (c >= 0x20 && c != 0x7F && !c1) {
      shown += path[i];
      continue;
    }
    const char* named = c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\r' ? "\\r" : nullptr;
    char code[8];
    std::snprintf(code, sizeof code, "\\x%02X", c1 ? static_cast<unsigned char>(path[++i]) : c);
    shown += named ? named : c1 ? std::string("\\xC2") + code : std::string(code);
  }
  return shown;
}

std::string Folder_Of(const std::string& path) {
  std::string::size_type last = path.find_last_of("/\\");
  return last == std::string::npos ? "." : path.substr(0, last);
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool Word_Char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
