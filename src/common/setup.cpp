#include "common/setup.h"

std::string Setup_Steps(const std::string& entry, const std::string& self,
                        const std::string& name) {
  return "它不用单独运行，在 Tarnwickstone 里这样设置一次就好：\n"
         "1. 在主菜单选择 3. 设置，再选择 " +
         entry + "；\n2. 输入这个程序的完整路径：" +
         (self.empty() ? name + " 所在的文件夹加上它的名字" : self) +
         "\n3. 选择 7. 返回，再在主菜单选择 5. 保存信息并退出。\n";
}
