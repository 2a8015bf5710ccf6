#include "common/names.h"

std::string Base_Name(const std::string& path) {
  std::string::size_type last = path.find_last_of("/\\");
  return last == std::string::npos ? path : path.substr(last + 1);
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
