// tarnwickstone-cc: stands where the compiler is expected, runs the real g++
// with exactly the words it was given, lets its output through untouched,
// ends with its exit status, and after errors or warnings adds a few hints
// in Chinese.
// Usage: tarnwickstone-cc [g++ options and files...]

#include <string>
#include <vector>

#include "cc/compiler.h"
#include "cc/hints.h"
#include "platform/platform.h"

namespace {

const int NOT_RUNNABLE = 126;  // status when the compiler exists but cannot run
const int NOT_FOUND = 127;     // status when there is no compiler to run

// Set for the compiler it runs: a copy of the companion found as "g++" sees
// it and stops, rather than run the other copy, which would run it again.
const char* const RUNNING = "TARNWICKSTONE_CC_RUNNING";

std::string Cannot_Start_Reason(long long code) {
  switch (Start_Failure_Kind(code)) {
    case START_NOT_FOUND:
      return "文件不存在";
    case START_DENIED:
      return "没有运行它的权限";
    case START_NOT_PROGRAM:
      return "它不是本系统能运行的程序";
    case START_OTHER:
      break;
  }
  return "系统错误 " + std::to_string(code);
}

std::vector<Source> Read_Sources(const std::vector<std::string>& args) {
  std::vector<Source> sources;
  for (const std::string& path : Source_Paths(args)) {
    // A source the compiler could read: no beginner's program comes near the bound.
    std::string text, why;
    if (Read_Text_File(path, 64 << 20, text, &why)) sources.push_back(Make_Source(path, text));
  }
  return sources;
}

int Compile(const std::vector<std::string>& args) {
  std::string parent = Environment_Variable(RUNNING);
  if (!parent.empty()) {
    Write_Err("无法编译：" + parent + " 找到的编译器 " + Own_Path() +
              " 也是 tarnwickstone-cc，不是真正的 g++。请删掉它或者给它改个名字。\n");
    return NOT_FOUND;
  }
  std::vector<std::string> looked;
  std::string compiler = Find_Compiler(looked);
  if (compiler.empty()) {
    Write_Err(Not_Found_Line(looked));
    return NOT_FOUND;
  }
  std::string self = Own_Path();
  Set_Environment_Variable(RUNNING, self.empty() ? "tarnwickstone-cc" : self);

  std::vector<std::string> argv = {compiler};
  argv.insert(argv.end(), args.begin(), args.end());
  std::string out, err;
  Program_End end = Relay_Program(argv, out, err);
  if (!end.started) {
    Write_Err("无法启动编译器 " + compiler + "：" + Cannot_Start_Reason(end.code) + "。\n");
    return Start_Failure_Kind(end.code) == START_NOT_FOUND ? NOT_FOUND : NOT_RUNNABLE;
  }
  int status = static_cast<int>(end.signaled ? 128 + end.code : end.code);
  // Even a silent compile is looked at: a source saved as GBK prints garbled Chinese.
  std::string hints = Hints(args, out + err, status != 0, Read_Sources(args));
  if (!hints.empty()) Write_Err(hints);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args = Program_Arguments(argc, argv);
  if (!args.empty()) args.erase(args.begin());  // our own name
  return Compile(args);
}
