#include "cc/welcome.h"

#include "cc/compiler.h"

std::string Welcome_Text(const std::string& self, const std::string& compiler) {
  return "tarnwickstone-cc 是 Tarnwickstone 的编译助手：它代替编译器运行 g++，"
         "并用中文解释编译错误。\n"
         "它不用单独运行，在 Tarnwickstone 里这样设置一次就好：\n"
         "1. 在主菜单选择 3. 设置，再选择 1. 修改编译器路径；\n"
         "2. 输入这个程序的完整路径：" +
         (self.empty() ? std::string("tarnwickstone-cc 所在的文件夹加上它的名字") : self) +
         "\n"
         "3. 选择 7. 返回，再在主菜单选择 5. 保存信息并退出。\n\n" +
         (compiler.empty() ? Not_Found_Text() : "它会运行这个 g++：" + compiler + "\n");
}
