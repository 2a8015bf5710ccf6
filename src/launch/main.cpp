// tarnwickstone-launch: runs one program in this console, then says how it
// ended and how long it ran, and keeps the window open until a key is pressed.
// When the program has samples beside it, it is first run on each of them.
// Usage: tarnwickstone-launch [--time-limit=SECONDS] PROGRAM [ARGUMENTS...],
// or --help, or --version.

#include <cstdlib>
#include <string>
#include <vector>

#include "common/names.h"
#include "launch/crash_report.h"
#include "launch/judge.h"
#include "launch/report.h"
#include "launch/samples.h"
#include "launch/usage.h"
#include "launch/verdict.h"
#include "platform/platform.h"

namespace {

const int NO_PROGRAM = 2;  // status when no program was named, or an option is wrong
const std::string LIMIT_OPTION = "--time-limit=";
const int BY_HAND = -1;  // Test_Samples' answer when Enter asks for the program to run by hand

long long LIMIT_US = 1000000;  // the time limit of one sample: the contests' usual second

// Typed-ahead keys must not answer the wait: the user has to see the report.
int Finish(int status) {
  Discard_Typed_Input();
  Wait_Key();
  return status;
}

int Cannot_Start(const std::string& path, const std::string& reason, int status) {
  Write_Out(Cannot_Start_Line(path, reason));
  return Finish(status);
}

// A bare name would make the system search the PATH and perhaps run another
// program than the file that was checked; a path with a folder never does.
std::string Explicit_Path(const std::string& path) {
  if (path.find_first_of(std::string("/") + SEPARATOR) != std::string::npos) return path;
  return std::string(".") + SEPARATOR + path;
}

// Seconds from 0.001 to 3600, such as "2" or "0.5"; false for anything else.
bool Read_Limit(const std::string& text, long long& us) {
  char* end = nullptr;
  double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(seconds >= 0.001 && seconds <= 3600)) return false;
  us = static_cast<long long>(seconds * 1000000 + 0.5);
  return true;
}

// Runs the program on every sample, then asks for one key. Gives the
// launcher's status, or BY_HAND when Enter asks for the program to be run.
int Test_Samples(const std::string& path, const std::vector<std::string>& argv,
                 const Sample_Set& set) {
  std::string err;
  Tested_Program program = Program_For(argv, Program_Stem(path), set.source, LIMIT_US, &err);
  Write_Out(Samples_Header(set, LIMIT_US));
  if (!err.empty())
    Write_Out("提示：" + err + "，只按 " + program.inputs[0] + " 和 " + program.outputs[0] +
              " 找输入输出文件。\n");
  int passed = 0, width = Console_Width();
  for (const Sample& sample : set.samples) {
    Judgement j = Judge_Sample(program, sample);
    if (j.verdict == VERDICT_NOT_STARTED) {
      std::string why;
      int status = Start_Failure(j.end.code, &why);
      return Cannot_Start(path, why, status);
    }
    Write_Out(Verdict_Lines(sample.number, j, LIMIT_US, width));
    passed += j.verdict == VERDICT_AC;
    if (j.verdict == VERDICT_INTERRUPTED) break;
  }
  int total = static_cast<int>(set.samples.size());
  Write_Out(Summary_Line(passed, total));
  Discard_Typed_Input();
  Key key = Wait_Key("按 Enter 键手动运行程序，按其他键结束。");
  if (key == KEY_ENTER) return BY_HAND;
  return passed == total ? 0 : 1;
}

int Launch(const std::vector<std::string>& args) {
  size_t first = 1;  // the program's path; options come before it
  if (args.size() > first && args[first].compare(0, LIMIT_OPTION.size(), LIMIT_OPTION) == 0) {
    std::string value = args[first++].substr(LIMIT_OPTION.size());
    if (!Read_Limit(value, LIMIT_US)) {
      Write_Out("无法启动程序：时限“" + value +
                "”不是 0.001 到 3600 之间的秒数（例如 --time-limit=2）。\n");
      return Finish(NO_PROGRAM);
    }
  }
  if (args.size() <= first) {
    Write_Out(
        "无法启动程序：没有给出程序的路径（用法：tarnwickstone-launch 程序路径 [参数……]）。\n\n" +
        Setup_Text(Own_Path()));
    return Finish(NO_PROGRAM);
  }
  // Options come before the program; a program's path never starts with "--"
  // when Tarnwickstone gives it.
  if (args[first] == "--help" || args[first] == "--version") {
    Write_Out(args[first] == "--help" ? Help_Text() : Version_Line());
    return 0;
  }
  if (args[first].compare(0, 2, "--") == 0) {
    Write_Out("无法启动程序：没有“" + args[first] +
              "”这个选项（tarnwickstone-launch --help 列出所有选项）。\n");
    return Finish(NO_PROGRAM);
  }
  std::string path = args[first];
  Set_Title(Base_Name(path));

  switch (Path_Status(path)) {
    case PATH_MISSING:
      return Cannot_Start(path, "文件不存在", NOT_FOUND);
    case PATH_DIRECTORY:
      return Cannot_Start(path, "这是一个文件夹，不是程序", NOT_RUNNABLE);
    case PATH_OTHER:
      return Cannot_Start(path, "这不是一个普通文件", NOT_RUNNABLE);
    case PATH_FILE:
      break;
  }

  std::vector<std::string> argv(args.begin() + static_cast<long>(first), args.end());
  argv[0] = Explicit_Path(path);
  Sample_Set set = Find_Samples(path);
  for (const std::string& error : set.errors)
    Write_Out("提示：" + error + "，其中的样例没有找到。\n");
  if (!set.samples.empty()) {
    int status = Test_Samples(path, argv, set);
    if (status != BY_HAND) return status;
  }
  Crash_Stack crash;
  long long start = Clock_Us();
  std::string why;
  Program_End end = Run_Watched(argv, crash, &why);
  long long us = Clock_Us() - start;

  if (!end.started) return Cannot_Start(path, why, static_cast<int>(end.code));
  std::string signal_name = end.signaled ? Signal_Name(static_cast<int>(end.code)) : "";
  Write_Out(End_Report(end, us, signal_name) + Crash_Lines(crash));
  return Finish(Exit_Status(end));
}

}  // namespace

int main(int argc, char** argv) {
  // UTF-8 from first to last, so that the program and this report both show
  // Chinese correctly; the console gets its own code pages back at the end.
  Save_Code_Pages();
  Set_UTF8_Console();
  int status = Launch(Program_Arguments(argc, argv));
  Restore_Code_Pages();
  return status;
}
