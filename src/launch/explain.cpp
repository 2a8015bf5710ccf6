#include "launch/explain.h"

namespace {

struct Code_Entry {
  long long code;
  const char* text;
};

struct Signal_Entry {
  const char* name;
  const char* text;
};

// The statuses Windows gives a process that it ended because of a fault.
const Code_Entry CODES[] = {
    {0xC0000005, "访问违规：程序读写了不允许访问的内存，常见原因是空指针、野指针或数组越界。"},
    {0xC00000FD,
     "栈溢出：常见原因是递归太深或没有终止条件，或者局部数组太大。Windows 程序的栈在编译时"
     "就定了，只有几 MB；评测机的栈通常和内存限制一样大，要在这里也得到这么大的栈，在编译选项"
     "里加上 -Wl,--stack=536870912（512 MB）后重新编译。"},
    {0xC0000094, "整数除以零：整数除法或取余运算的除数为 0。"},
    {0xC0000095, "整数溢出：整数除法的结果超出了它的类型的范围，例如 INT_MIN 除以 -1。"},
    {0xC000001D,
     "非法指令：程序运行到了一条不能执行的指令，常见原因是编译器优化时在一定会出错的代码处（例如"
     "除以 0）放了陷阱指令。"},
    {0xC000013A, "程序被 Ctrl+C 中断。"},
    {0xC0000135, "找不到程序需要的 DLL：请在编译选项中加上 -static 后重新编译。"},
    {0xC0000139,
     "程序需要的 DLL 与它不匹配（找不到入口点）：请在编译选项中加上 -static 后重新编译。"},
    {0xC0000374, "堆损坏：常见原因是数组越界写入、重复释放内存或释放后继续使用。"},
    {0xC0000409, "栈上缓冲区溢出：常见原因是局部数组越界写入。"},
};

// Signal names, not numbers: the numbers differ between POSIX systems.
const Signal_Entry SIGNALS[] = {
    {"SIGSEGV",
     "段错误：程序读写了不允许访问的内存，常见原因是空指针、野指针、数组越界或递归太深。"},
    {"SIGFPE", "算术错误：常见原因是整数除以零。"},
    {"SIGABRT", "程序中止（abort）：常见原因是断言失败或异常没有被捕获。"},
    {"SIGKILL", "程序被强制结束：可能是被 kill -9 结束，或者系统内存不足。"},
    {"SIGINT", "程序被 Ctrl+C 中断。"},
    {"SIGTERM", "程序被要求结束（例如 kill 命令）。"},
    {"SIGBUS", "总线错误：程序访问了无效的内存地址。"},
    {"SIGILL",
     "非法指令：程序运行到了一条不能执行的指令，常见原因是编译器优化时在一定会出错的代码处（例如"
     "除以 0）放了陷阱指令。"},
    {"SIGXFSZ", "文件太大：程序写出的文件超过了允许的大小（运行样例时为 64 MB）。"},
};

}  // namespace

std::string Explain_Exit_Code(long long code) {
  for (const Code_Entry& entry : CODES)
    if (entry.code == code) return entry.text;
  return "";
}

std::string Explain_Signal(const std::string& name) {
  for (const Signal_Entry& entry : SIGNALS)
    if (name == entry.name) return entry.text;
  return "";
}
