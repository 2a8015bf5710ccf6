#include "cc/compiler.h"

#include <algorithm>

#include "platform/platform.h"

namespace {

std::string Folder_Of(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string First_Other(const std::vector<std::string>& folders, const std::string& self) {
  for (const std::string& candidate : Programs_In(folders, "g++"))
    if (self.empty() || !Same_File(candidate, self)) return candidate;
  return "";
}

}  // namespace

std::string Find_Compiler(std::vector<std::string>& looked) {
  std::string self = Own_Path();
  looked.clear();
  if (!self.empty()) looked.push_back(Folder_Of(self));
  for (const std::string& folder : Path_Folders())
    if (std::find(looked.begin(), looked.end(), folder) == looked.end()) looked.push_back(folder);
  std::string found = First_Other(looked, self);
  if (!found.empty()) return found;
  // The install folders only when nothing nearer has one: listing them costs.
  std::vector<std::string> usual = Compiler_Folders();
  looked.insert(looked.end(), usual.begin(), usual.end());
  return First_Other(usual, self);
}

std::string Not_Found_Line(const std::vector<std::string>& looked) {
  std::string places;
  for (const std::string& folder : looked) places += (places.empty() ? "" : "、") + folder;
  if (places.empty()) places = "（没有可找的文件夹）";
  return "找不到编译器 g++（找过这些文件夹：" + places +
         "）。请安装 g++（Windows 上可以安装 MinGW-w64），然后把它所在的文件夹加到 PATH 里，"
         "或者把 tarnwickstone-cc 放到 g++ 所在的文件夹里。\n";
}
