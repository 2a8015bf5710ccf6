#include "cc/welcome.h"

#include "cc/compiler.h"
#include "common/setup.h"

std::string Welcome_Text(const std::string& self, const std::string& compiler) {
  return "tarnwickstone-cc 是 Tarnwickstone 的编译助手：它代替编译器运行 g++，"
         "并用中文解释编译错误。\n" +
         Setup_Steps("1. 修改编译器路径", self, "tarnwickstone-cc") + "\n" +
         (compiler.empty() ? Not_Found_Text() : "它会运行这个 g++：" + compiler + "\n");
}
