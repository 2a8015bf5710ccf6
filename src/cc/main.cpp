// tarnwickstone-cc: stands where the compiler is expected, runs the real g++
// with exactly the words it was given, lets its output through untouched,
// ends with its exit status, and after errors or warnings adds a few hints
// in Chinese. A program whose first include is <bits/stdc++.h> is compiled
// with a precompiled copy of it, made in the background after its first compile.
// Usage: tarnwickstone-cc [--no-pch] [g++ options and files...]; with none, it
// says what it is and how it is set up, and waits for a key.

#include <algorithm>
#include <string>
#include <vector>

#include "cc/hints.h"
#include "cc/pch.h"
#include "cc/welcome.h"
#include "common/compiler.h"
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

int Compile(std::vector<std::string> args) {
  // The companion's own option is no word for g++.
  size_t words = args.size();
  args.erase(std::remove(args.begin(), args.end(), NO_PCH_OPTION), args.end());
  bool pch = args.size() == words && Environment_Variable(NO_PCH_VARIABLE).empty();
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
  Program_End end = pch ? Compile_With_Pch(compiler, args, out, errors, &why)
                        : Relay_Program(argv, out, errors, &why);
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
  if (args.size() >= 2 && args[0] == PREPARE_WORD)
    return Prepare_Pch(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
  return Compile(args);
}
