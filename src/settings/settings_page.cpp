#include "settings/settings_page.h"

#include "console/input.h"
#include "console/print.h"
#include "files/paths.h"
#include "platform/platform.h"
#include "settings/settings.h"

#include <string>
#include <unordered_set>

namespace {
// The two entries after the settings' own.
int Information_Entry() {
  return static_cast<int>(SETTING_TABLE.size()) + 1;
}
int Return_Entry() {
  return Information_Entry() + 1;
}
}  // namespace

void Settings() {
  while (true) {
    Command("cls");
    int choice = Settings_Page();
    if (choice == Return_Entry()) return;
    if (choice == Information_Entry())
      Print_Message();
    else
      Edit_Setting(SETTING_TABLE[choice - 1]);
  }
}

int Settings_Page() {
  Print_Title(NAME + " -- 设置", 2);
  std::unordered_set<int> allowed;
  int n = 0;
  for (const Setting& s : SETTING_TABLE) {
    std::string number = std::to_string(++n) + ". ";
    allowed.insert(n);
    if (!s.section.empty()) Print_Section(s.section);
    if (s.kind == SETTING_SWITCH) {
      // The state, and the entry that turns it over; the next entry follows at once.
      Print(s.label + (*s.on ? "开启" : "关闭"), 1);
      Print(number + (*s.on ? "关闭" : "开启") + s.entry, 1);
    } else {
      Print(s.label + *s.text, 1);
      Print(number + s.entry, 2);
    }
  }
  Print(std::to_string(Information_Entry()) + ". 项目信息", 2);
  Print(std::to_string(Return_Entry()) + ". 返回", 2);
  allowed.insert({Information_Entry(), Return_Entry()});
  return Read_Nint(allowed);
}

namespace {
// The new value of a text setting: one line as typed, refused only when no
// command line could hold it.
std::string Read_Text(const Setting& s) {
  std::string text = Read_Input_Line();
  while (text.size() > VALUE_LIMIT) {
    Print(s.name + "太长了，命令行放不下。请重新输入。", 1);
    text = Read_Input_Line();
  }
  return text;
}
}  // namespace

void Edit_Setting(const Setting& s) {
  Command("cls");
  std::string done = s.done;
  switch (s.kind) {
    case SETTING_SWITCH:
      // Switched first, so that the message already comes at the new pace.
      *s.on = !*s.on;
      done = *s.on ? "开启成功！" : "关闭成功！";
      break;
    case SETTING_TOOL:
      Print(s.prompt, 1);
      *s.text = Read_File(TOOL_EXTENSION);
      break;
    case SETTING_FOLDER:
      Print(s.prompt, 1);
      *s.text = Read_Path();
      break;
    case SETTING_TEXT:
      Print(s.prompt, 1);
      *s.text = Read_Text(s);
      break;
  }
  Print(done, 2);
  Command("pause");
}

void Print_Message() {
  Command("cls");
  Print("作者：Tarnwickstone 创始团队", 1);
  Print("介绍：为初学者准备的菜单式 C++ 单文件开发环境：新建、编辑、编译并运行你的程序。", 1);
  Print("版本：Alpha 1.2", 1);
  Print("发布时间：2025/10/4", 2);
  Command("pause");
}
