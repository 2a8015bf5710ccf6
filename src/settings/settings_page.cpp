#include "settings/settings_page.h"

#include "console/input.h"
#include "console/print.h"
#include "files/paths.h"
#include "platform/platform.h"
#include "settings/settings.h"

void Settings() {
  while (true) {
    Command("cls");
    switch (Settings_Page()) {
      case 1:
        Set_COM_Path();
        break;
      case 2:
        Set_LAU_Path();
        break;
      case 3:
        Set_US_Path();
        break;
      case 4:
        Set_COM_Settings();
        break;
      case 5:
        Set_Slowsay();
        break;
      case 6:
        Print_Message();
        break;
      default:
        return;
    }
  }
}

int Settings_Page() {
  Print_Title(NAME + " -- 设置", 2);
  Print_Section("路径");
  Print("当前编译器路径：" + COM_PATH, 1);
  Print("1. 修改编译器路径", 2);
  Print("当前启动器路径：" + LAU_PATH, 1);
  Print("2. 修改启动器路径", 2);
  Print("当前默认文件夹路径：" + US_PATH, 1);
  Print("3. 修改默认文件夹路径", 2);
  Print_Section("编译器");
  Print("当前编译选项：" + COM_SETTINGS, 1);
  Print("4. 修改编译选项", 2);
  Print_Section(NAME);
  Print(std::string("慢速输出：") + (SLOWSAY ? "开启" : "关闭"), 1);
  Print(std::string("5. ") + (SLOWSAY ? "关闭" : "开启") + "慢速输出", 1);
  Print("6. 项目信息", 2);
  Print("7. 返回", 2);
  return Read_Nint({1, 2, 3, 4, 5, 6, 7});
}

namespace {
// Every editor starts on a clear screen with its prompt ...
void Ask(const std::string& prompt) {
  Command("cls");
  Print(prompt, 1);
}

// ... and ends with its message, kept on screen until a key is pressed.
void Done(const std::string& message) {
  Print(message, 2);
  Command("pause");
}
}  // namespace

void Set_COM_Path() {
  Ask("请输入新编译器路径：");
  COM_PATH = Read_File(TOOL_EXTENSION);
  Done("修改成功！");
}

void Set_LAU_Path() {
  Ask("请输入新启动器路径：");
  LAU_PATH = Read_File(TOOL_EXTENSION);
  Done("修改成功！");
}

void Set_US_Path() {
  Ask("请输入新默认文件夹路径：");
  US_PATH = Read_Path();
  Done("修改成功！");
}

void Set_COM_Settings() {
  Ask("请输入新编译选项：");
  std::string options = Read_Input_Line();
  while (options.size() > VALUE_LIMIT) {
    Print("编译选项太长了，命令行放不下。请重新输入。", 1);
    options = Read_Input_Line();
  }
  COM_SETTINGS = options;
  Done("设置成功！");
}

void Set_Slowsay() {
  Command("cls");
  // Switched first, so that the message already comes at the new pace.
  SLOWSAY = !SLOWSAY;
  Done(SLOWSAY ? "开启成功！" : "关闭成功！");
}

void Print_Message() {
  Command("cls");
  Print("作者：Tarnwickstone 创始团队", 1);
  Print("介绍：为初学者准备的菜单式 C++ 单文件开发环境：新建、编辑、编译并运行你的程序。", 1);
  Print("版本：Alpha 1.2", 1);
  Print("发布时间：2025/10/4", 2);
  Command("pause");
}
