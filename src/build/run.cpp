#include "build/run.h"

#include "console/input.h"
#include "console/print.h"
#include "files/paths.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace {
// The compile command: the compiler, the options as stored, then the
// executable and the source; all of it quoted once more for "cmd /c".
std::string Compile_Command(const std::string& fpath, const std::string& epath) {
  std::string inner = Cover(COM_PATH) + " " + COM_SETTINGS + (COM_SETTINGS.empty() ? "" : " ") +
                      "-g -o " + Cover(epath) + " " + Cover(fpath);
  return "cmd /c" + Cover(inner);
}

// Compiles; false (after the failure message and the pause) when it failed.
bool Compile(const std::string& t) {
  Print("正在编译……", 1);
  if (Command(t) != 0) {
    Print("编译失败！请检查编译选项或代码。", 2);
    Command("pause");
    return false;
  }
  Print("编译成功！", 1);
  return true;
}

// Starts the program in a new console window, through the launcher when there is one.
void Launch(const std::string& fpath, const std::string& epath) {
  std::string t;
  if (IsFile(LAU_PATH)) {
    Print("正在通过启动器启动程序……", 1);
    t = "start \"\" " + Cover(LAU_PATH) + " " + Cover(epath);
  } else {
    Print("启动器路径无效。即将直接启动程序。", 1);
    // start takes the first quoted word as the window's title: the source path.
    t = "start " + Cover(fpath) + " " + Cover(epath);
  }
  // A launch that could not happen (the program deleted meanwhile, the
  // launcher unusable) is reported as such, never as a success.
  Print(Command(t) == 0 ? "启动成功！" : "启动失败！", 1);
}
}  // namespace

void Run() {
  Command("cls");
  Print("请输入 C++ 文件的路径：", 1);
  std::string fpath = Read_File_In_Default("cpp");
  std::string epath = fpath.substr(0, fpath.size() - 4) + ".exe";
  Write_Out("\n");
  if (!IsFile(COM_PATH)) {
    Print("编译器路径无效！请修改。", 2);
    Command("pause");
    return;
  }
  std::string t = Compile_Command(fpath, epath);
  if (!IsFile(epath)) {
    Print("未找到对应程序的 .exe 文件，自动启动编译。", 1);
    if (!Compile(t)) return;
  } else {
    Print("是否需要编译？", 1);
    if (Read_Nint({0, 1}) == 1) {
      if (!Compile(t)) return;
    } else {
      Print("跳过编译。", 1);
    }
  }
  Write_Out("\n");
  Print("是否需要运行？", 1);
  if (Read_Nint({0, 1}) == 1)
    Launch(fpath, epath);
  else
    Print("跳过运行。", 1);
  Write_Out("\n");
  Command("pause");
}
