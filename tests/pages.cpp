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

std::string Not_Saved(const std::string& why) {
  return "设置没有保存：" + why + "。请从你能写入的文件夹启动 Tarnwickstone，设置会保存在那里。\n";
}

std::string Kept(const std::string& why) {
  return "设置没有保存：原来的设置文件 Tarnwickstone.tws 无法读取（" + why +
         "），为了不丢失其中的设置，没有覆盖它。请把它移走或改名，或者从别的文件夹启动 "
         "Tarnwickstone。\n";
}
