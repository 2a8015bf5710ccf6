// The process entry point, the main menu loop and the help page.
#include "build/run.h"
#include "console/input.h"
#include "console/print.h"
#include "files/edit.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "settings/settings_page.h"
#include "settings/startup.h"

// Shows the help page and waits for a key.
void Help() {
  Command("cls");
  Print_Title(NAME + " -- 帮助", 2);
  Print_Section("路径");
  Print("1. 修改编译器、启动器、常用文件夹路径时，请输入完整路径！", 1);
  Print("2. 编译器路径建议设置为 g++.exe 的路径。", 1);
  Print("3. 设置默认文件夹后，创建、打开文件和编译、运行程序不必再输入完整路径，" + NAME +
            " 会自动在默认文件夹下操作。",
        2);
  Print_Section("编译 & 运行");
  Print("1. 受限于作者编码能力，设置编译选项时请不要输入 \"，否则可能导致崩溃。", 1);
  Print("2. " + NAME +
            " 支持调用外部启动器（如 ConsolePauser.exe）运行程序，可以在 设置 - 修改启动器路径 "
            "中设置。设置后将优先使用启动器运行程序。",
        2);
  Print_Section(NAME);
  Print("1. 输入选项时，请在输入结束后按下回车。", 1);
  Print("2. 询问是否时，1 表示是，0 表示否。", 1);
  Print("3. 不喜欢慢速输出？现在可以在 设置 - 慢速输出 中修改了！", 2);
  Command("pause");
}

// Draws the main menu and returns the chosen entry, 1 to 5.
int Main_Page() {
  Print_Title(NAME, 1);
  Print("1. 编辑文件", 1);
  Print("2. 运行程序", 1);
  Print("3. 设置", 1);
  Print("4. 帮助", 1);
  Print("5. 保存信息并退出", 2);
  return Read_Nint({1, 2, 3, 4, 5});
}

int main() {
  Init();
  if (FIRST) {
    Print("检测到你是第一次使用 " + NAME + "，是否需要查看帮助（否：0，是：1）？", 1);
    if (Read_Nint({0, 1}) == 1) Help();
  }
  while (true) {
    Command("cls");
    switch (Main_Page()) {
      case 1:
        Edit();
        break;
      case 2:
        Run();
        break;
      case 3:
        Settings();
        break;
      case 4:
        Help();
        break;
      case 5:
        return Exit() ? 0 : 1;
    }
  }
}
