#include "settings/settings.h"

#include "console/print.h"
#include "platform/platform.h"
#include "settings/settings_file.h"

const std::string NAME = "Tarnwickstone";
const std::string SETTINGS = NAME + ".tws";
std::string COM_PATH;
std::string LAU_PATH;
std::string US_PATH;
std::string COM_SETTINGS;
bool SLOWSAY = true;
bool FIRST = false;

void Init() {
  Set_UTF8_Console();
  Command("title " + NAME);
  std::string text;
  if (!Read_Text_File(SETTINGS, text)) {
    FIRST = true;
    return;
  }
  Load_Settings(text);
}

void Exit() {
  Command("cls");
  Print("将在 3s 内退出……", 1);
  // Written beside the old file and put in its place in one step, so that a
  // failed or cut-off write never loses the settings already saved.
  if (Replace_Text_File(SETTINGS, Settings_Text())) Hide_File(SETTINGS);
  Stop(2.5);
}
