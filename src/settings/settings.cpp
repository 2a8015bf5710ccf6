#include "settings/settings.h"

const std::string NAME = "Tarnwickstone";
const std::string SETTINGS = NAME + ".tws";
std::string COM_PATH;
std::string LAU_PATH;
std::string US_PATH;
std::string COM_SETTINGS;
bool SLOWSAY = true;
bool FIRST = false;
const size_t VALUE_LIMIT = 32767 * 3;

// Defined after NAME, which the last section rule shows.
const std::vector<Setting> SETTING_TABLE = {
    {SETTING_TOOL, &COM_PATH, nullptr, "编译器路径", "路径", "当前编译器路径：", "修改编译器路径",
     "请输入新编译器路径：", "修改成功！"},
    {SETTING_TOOL, &LAU_PATH, nullptr, "启动器路径", "", "当前启动器路径：", "修改启动器路径",
     "请输入新启动器路径：", "修改成功！"},
    {SETTING_FOLDER, &US_PATH, nullptr, "默认文件夹路径", "", "当前默认文件夹路径：",
     "修改默认文件夹路径", "请输入新默认文件夹路径：", "修改成功！"},
    {SETTING_TEXT, &COM_SETTINGS, nullptr, "编译选项", "编译器", "当前编译选项：", "修改编译选项",
     "请输入新编译选项：", "设置成功！"},
    {SETTING_SWITCH, nullptr, &SLOWSAY, "慢速输出", NAME, "慢速输出：", "慢速输出", "", ""},
};
