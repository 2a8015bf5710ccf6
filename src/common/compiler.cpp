#include "common/compiler.h"

#include <algorithm>

#include "common/names.h"
#include "platform/platform.h"

namespace {

std::string First_Other(const std::vector<std::string>& folders, const std::string& name,
                        const std::string& self) {
  for (const std::string& candidate : Programs_In(folders, name))
    if (self.empty() || !Same_File(candidate, self)) return candidate;
  return "";
}

// Puts the folder in front of the PATH that the programs started from here
// get. It fails only when memory runs out, and then nothing would run anyway.
void Put_On_Path(const std::string& folder) {
  std::string path = Environment_Variable("PATH");
  const char* between = SEPARATOR == '\\' ? ";" : ":";  // how each system lists its folders
  Set_Environment_Variable("PATH", path.empty() ? folder : folder + between + path);
}

// Beside this program, then on the PATH, then (`installed`) in the usual
// install folders.
std::string Find_Nearest(const std::string& name, bool& installed) {
  std::string self = Own_Path();
  std::vector<std::string> nearer;
  if (!self.empty()) nearer.push_back(Folder_Of(self));
  for (const std::string& folder : Path_Folders())
    if (std::find(nearer.begin(), nearer.end(), folder) == nearer.end()) nearer.push_back(folder);
  std::string found = First_Other(nearer, name, self);
  if (!found.empty()) return found;
  // The install folders only when nothing nearer has one: listing them costs.
  found = First_Other(Compiler_Folders(), name, self);
  installed = !found.empty();
  return found;
}

}  // namespace

std::string Find_Tool(const std::string& name) {
  bool installed = false;
  return Find_Nearest(name, installed);
}

std::string Find_Compiler() {
  bool installed = false;
  std::string found = Find_Nearest("g++", installed);
  // Outside its own terminal, such a compiler finds the DLLs its parts load
  // only through the PATH (MSYS2's cc1plus keeps them beside g++).
  if (installed) Put_On_Path(Folder_Of(found));
  return found;
}

std::string Not_Found_Text() {
  std::string first = "找不到编译器 g++，所以没有编译。\n";
  std::vector<std::string> usual = Compiler_Folders();
  if (usual.empty())
    return first + "请在终端里输入 sudo apt install g++ 安装它。\n" +
           "详细步骤见使用说明（guide.zh-CN.md）的“一、准备编译器”。\n";
  // The first of them is where a MinGW-w64 zip such as WinLibs' is unpacked.
  std::string home = Folder_Of(usual.front());
  return first + "请把 WinLibs 的压缩包解压到 " + Folder_Of(home) + "\\（会得到 " + home +
         "），或者安装 MSYS2 的 g++。\n" + "详细步骤见 使用说明.txt 的“一、准备编译器”。\n";
}
