// tarnwickstone-cc: stands where the compiler is expected, runs the real g++
// with exactly the words it was given, lets its output through untouched,
// ends with its exit status, and after errors or warnings adds a few hints
// in Chinese.
// Usage: tarnwickstone-cc [g++ options and files...]; with none, it says what
// it is and how it is set up, and waits for a key.

#include <string>
#include <vector>

#include "cc/compiler.h"
#include "cc/hints.h"
#include "cc/welcome.h"
#include "platform/platform.h"

namespace {

// Set for the compiler it runs: a copy of the companion found as "g++" sees
// it and stops, rather than run the other copy, which would run it again.
const char* const RUNNING = "TARNWICKSTONE_CC_RUNNING";

std::vector<Source> Read_Sources(const std::vector<std::string>& args) {
  std::vector<Source> sources;
  for (const std::string& path : Source_Paths(args)) {
    // A source the compiler could read: no beginner's program comes near the bound.
    std::string text;
    if (Read_Text_File(path, 64 << 20, text)) sources.push_back(Make_Source(path, text));
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
  std::string compiler = Find_Compiler();
  if (compiler.empty()) {
    Write_Err(Not_Found_Text());
    return NOT_FOUND;
  }
  std::string self = Own_Path();
  // It fails only when memory runs out, and then nothing else would run either.
  Set_Environment_Variable(RUNNING, self.empty() ? "tarnwickstone-cc" : self);

  std::vector<std::string> argv = {compiler};
  argv.insert(argv.end(), args.begin(), args.end());
  std::string out, errors, why;
  Program_End end = Relay_Program(argv, out, errors, &why);
  if (!end.started) {
    Write_Err("无法启动编译器 " + compiler + "：" + why + "。\n");
    return static_cast<int>(end.code);
  }
  int status = static_cast<int>(end.signaled ? 128 + end.code : end.code);
  // Even a silent compile is looked at: a source saved as GBK prints garbled Chinese.
  std::string hints = Hints(args, out + errors, status != 0, Read_Sources(args));
  if (!hints.empty()) Write_Err(hints);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args = Program_Arguments(argc, argv);
  if (!args.empty()) args.erase(args.begin());  // our own name
  if (args.empty()) {
    // Started from Explorer, its window would close before a word is read.
    Write_Out(Welcome_Text(Own_Path(), Find_Compiler()));
    Wait_Key();
    return 1;  // as g++ ends without input files
  }
  return Compile(args);
}
