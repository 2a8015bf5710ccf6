#include "files/paths.h"

#include "console/input.h"
#include "console/print.h"
#include "platform/platform.h"
#include "settings/settings.h"

bool IsFile(std::string s) {
  return Path_Status(s) == PATH_FILE;
}

bool IsPath(std::string s) {
  return Path_Status(s) == PATH_DIRECTORY;
}

std::string Cover(std::string s) {
  return "\"" + s + "\"";
}

std::string Join_Path(const std::string& folder, const std::string& name) {
  return folder + SEPARATOR + name;
}

namespace {
// A path copied with Explorer's "复制为路径" comes between double quotes, and
// no Windows name can hold one: a line in one pair of quotes that names
// nothing as it stands (after `prefix`) means the path inside them.
std::string Unquoted(const std::string& line, const std::string& prefix) {
  bool quoted = line.size() >= 2 && line.front() == '"' && line.back() == '"' &&
                line.find('"', 1) == line.size() - 1;
  if (!quoted || Path_Status(prefix + line) != PATH_MISSING) return line;
  return line.substr(1, line.size() - 2);
}

// A whole path that names nothing as it stands, read as the system's shell
// would read it ("~/code" in the home folder on POSIX).
std::string Expanded(const std::string& line) {
  return Path_Status(line) == PATH_MISSING ? Typed_Path(line) : line;
}
}  // namespace

std::string Read_Path() {
  while (true) {
    std::string line = Expanded(Unquoted(Read_Input_Line(), ""));
    Path_Kind kind = Path_Status(line);
    if (kind == PATH_MISSING)
      Print("路径无效。", 1);
    else if (kind == PATH_DIRECTORY)
      return line;
    else
      Print("路径不是目录。", 1);
  }
}

namespace {
// The bytes after the last "." anywhere in the line, ASCII letters lowered.
std::string Extension(const std::string& line) {
  std::string::size_type dot = line.rfind('.');
  if (dot == std::string::npos) return "";
  std::string ext = line.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}
}  // namespace

std::string Read_File(std::string wh, const std::string& prefix) {
  while (true) {
    std::string line = Unquoted(Read_Input_Line(), prefix);
    // Inside a default folder a typed path is taken as it stands.
    if (prefix.empty()) line = Expanded(line);
    Path_Kind kind = Path_Status(prefix + line);
    if (kind == PATH_MISSING) {
      Print("路径无效。", 1);
    } else if (kind != PATH_FILE) {
      Print("路径指向的不是文件。", 1);
    } else if (wh.empty() || Extension(line) == wh) {
      return line;
    } else {
      Print("路径指向的文件类型不正确，应为 ." + wh + "。", 1);
    }
  }
}

std::string Read_File_In_Default(std::string wh) {
  bool valid = IsPath(US_PATH);
  if (!valid) Print("由于你的默认文件夹路径无效，请输入完整路径。", 1);
  std::string line = Read_File(wh, valid ? Join_Path(US_PATH, "") : "");
  // Tested afresh: the folder is used only if it is still there now.
  return !US_PATH.empty() && IsPath(US_PATH) ? Join_Path(US_PATH, line) : line;
}
