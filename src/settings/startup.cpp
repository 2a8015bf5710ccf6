#include "settings/startup.h"

#include "console/print.h"
#include "files/paths.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace {
// Four values of VALUE_LIMIT bytes with CR LF, and the digit: a bigger file
// is not one of ours, and reading it whole could exhaust the memory.
const size_t SETTINGS_LIMIT = 4 * (VALUE_LIMIT + 2) + 1;

std::string UNREADABLE;  // why the settings file there at start could not be read
}  // namespace

void Init() {
  Set_UTF8_Console();
  Command("title " + NAME);
  std::string text;
  if (!Read_Text_File(SETTINGS, SETTINGS_LIMIT, text, &UNREADABLE)) {
    if (UNREADABLE.empty()) {
      FIRST = true;  // nothing there
      return;
    }
    // Something is there: not a first use, and the user should know now why
    // the settings are blank, not only when they are not saved at the end.
    if (UNREADABLE == TOO_LARGE) UNREADABLE += "，不是设置文件";
    Print("设置文件 " + SETTINGS + " 无法读取（" + UNREADABLE +
              "），这次先用空白的设置。为了不丢失其中的设置，退出时不会覆盖它；"
              "请把它移走或改名，或者从别的文件夹启动 " +
              NAME + "。",
          1);
    Command("pause");
    return;
  }
  Load_Settings(text);
}

bool Exit() {
  Command("cls");
  Print("将在 3s 内退出……", 1);
  std::string why, advice = "请从你能写入的文件夹启动 " + NAME + "，设置会保存在那里。";
  bool folder = IsPath(SETTINGS);
  if (folder || !UNREADABLE.empty()) {
    // What is there may be someone's settings that this run never saw: keep it.
    why = folder ? "这里有一个名为 " + SETTINGS + " 的文件夹，占着设置文件的位置"
                 : "原来的设置文件 " + SETTINGS + " 无法读取（" + UNREADABLE +
                       "），为了不丢失其中的设置，没有覆盖它";
    advice = "请把它移走或改名，或者从别的文件夹启动 " + NAME + "。";
  } else if (Replace_Text_File(SETTINGS, Settings_Text(), &why)) {
    // Written beside the old file and put in its place in one step, so that
    // a failed or cut-off write never loses the settings already saved.
    Hide_File(SETTINGS);  // its result is ignored: a visible file still holds the settings
    Stop(2.5);
    return true;
  }
  Print("设置没有保存：" + why + "。" + advice, 1);
  Command("pause");
  return false;
}
