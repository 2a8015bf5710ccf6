#include "pages.h"

using pages_detail::DASHES;
using pages_detail::Rule;

std::string Settings_Page(const std::string& com, const std::string& lau, const std::string& us,
                          const std::string& options, bool slow) {
  return std::string(39, ' ') + "Tarnwickstone -- 设置\n" + DASHES + "\n\n" +
         Rule(47, " 路径 ", 47) + "当前编译器路径：" + com + "\n1. 修改编译器路径\n\n" +
         "当前启动器路径：" + lau + "\n2. 修改启动器路径\n\n" + "当前默认文件夹路径：" + us +
         "\n3. 修改默认文件夹路径\n\n" + Rule(46, " 编译器 ", 46) + "当前编译选项：" + options +
         "\n4. 修改编译选项\n\n" + Rule(42, " Tarnwickstone ", 43) + "慢速输出：" +
         (slow ? "开启" : "关闭") + "\n5. " + (slow ? "关闭" : "开启") +
         "慢速输出\n6. 项目信息\n\n7. 返回\n\n";
}

std::string Saved_Settings(const std::string& com, const std::string& lau, const std::string& us,
                           const std::string& options, bool slow, const std::string& eol) {
  return com + eol + lau + eol + us + eol + options + eol + (slow ? "1" : "0");
}

std::string Not_Saved(const std::string& why) {
  return "设置没有保存：" + why + "。请从你能写入的文件夹启动 Tarnwickstone，设置会保存在那里。\n";
}

std::string Kept(const std::string& why) {
  return "设置没有保存：原来的设置文件 Tarnwickstone.tws 无法读取（" + why +
         "），为了不丢失其中的设置，没有覆盖它。请把它移走或改名，或者从别的文件夹启动 "
         "Tarnwickstone。\n";
}

std::string Unreadable_At_Start(const std::string& why) {
  return "设置文件 Tarnwickstone.tws 无法读取（" + why +
         "），这次先用空白的设置。为了不丢失其中的设置，退出时不会覆盖它；请把它移走或改名，"
         "或者从别的文件夹启动 Tarnwickstone。\n";
}

std::string Launcher_Setup(const std::string& self) {
  return "tarnwickstone-launch 是 Tarnwickstone 的启动器：它运行你的程序，结束后保留窗口，"
         "说明程序怎样结束；程序旁边有比赛样例时，先用样例检查它。\n"
         "它不用单独运行，在 Tarnwickstone 里这样设置一次就好：\n"
         "1. 在主菜单选择 3. 设置，再选择 2. 修改启动器路径；\n"
         "2. 输入这个程序的完整路径：" +
         self + "\n3. 选择 7. 返回，再在主菜单选择 5. 保存信息并退出。\n";
}

std::string Companion_Welcome(const std::string& self, const std::string& compiler) {
  return "tarnwickstone-cc 是 Tarnwickstone 的编译助手：它代替编译器运行 g++，"
         "并用中文解释编译错误。\n"
         "它不用单独运行，在 Tarnwickstone 里这样设置一次就好：\n"
         "1. 在主菜单选择 3. 设置，再选择 1. 修改编译器路径；\n"
         "2. 输入这个程序的完整路径：" +
         self + "\n3. 选择 7. 返回，再在主菜单选择 5. 保存信息并退出。\n\n" + compiler;
}
