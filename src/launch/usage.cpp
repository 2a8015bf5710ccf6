#include "launch/usage.h"

#include "common/setup.h"
#include "platform/platform.h"

std::string Version_Line() {
  return std::string("tarnwickstone-launch ") + TWS_VERSION + "\n";
}

std::string Help_Text() {
  return "用法：tarnwickstone-launch [--time-limit=秒数] [--memory-limit=MB] 程序路径 [参数……]\n"
         "或者：tarnwickstone-launch --receive [--port=端口] [文件夹]\n"
         "在这个窗口里运行程序，结束后说明它怎样结束、用了多长时间，并等待按键。\n"
         "程序旁边有比赛样例（X1.in 与 X1.ans 等）时，先用每个样例检查它。\n"
         "程序旁边有生成器 X_gen.cpp 和暴力程序 X_brute.cpp 时，按 D 键对拍。\n"
         "程序旁边有检查器 X_checker.cpp（或 checker.cpp、spj.cpp）时，由它评判答案。\n"
         "题目的限制可以写在源文件开头的注释里，例如 // 时间限制：2 秒 内存限制：256 MB 误差 "
         "1e-6 对拍轮数：5000 对拍时间：120 秒\n\n"
         "选项（优先于源文件里写的限制）：\n"
         "  --time-limit=秒数    每个样例的时限（CPU 时间），0.001 到 3600 秒，默认 1 秒\n"
         "  --memory-limit=MB    每个样例的内存限制，1 到 65536 MB，默认 512 MB\n"
         "  --receive            接收浏览器扩展 Competitive Companion 发来的题目，在文件夹（默认是"
         "当前文件夹）里新建 X.cpp 和样例 X1.in、X1.ans……，已有的文件不会被覆盖；按 Ctrl+C 结束\n"
         "  --port=端口          接收题目的端口，1024 到 65535，默认 10048（在扩展设置的 Custom "
         "ports 里填同一个）\n"
         "  --help               显示这段说明\n"
         "  --version            显示版本\n\n"
         "结束状态：程序的返回值" +
         std::string(HAS_SIGNALS ? "；程序被信号 N 结束时为 128+N"
                                 : "（程序崩溃时是 Windows 的异常代码，例如 0xC0000005）") +
         "；程序不存在时为 127，不能运行时为 126；没有给出程序或选项不对时为 2。"
         "有样例或者对拍而没有手动运行时，样例全部通过、对拍没有发现问题为 0，否则为 1。"
         "接收题目时，按 Ctrl+C 结束为 0，端口被占用为 1。\n";
}

std::string Setup_Text(const std::string& self) {
  return "tarnwickstone-launch 是 Tarnwickstone 的启动器：它运行你的程序，结束后保留窗口，"
         "说明程序怎样结束；程序旁边有比赛样例时，先用样例检查它。\n" +
         Setup_Steps("2. 修改启动器路径", self, "tarnwickstone-launch");
}
