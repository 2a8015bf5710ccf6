// tarnwickstone-launch: runs one program in this console, then says how it
// ended and how long it ran, and keeps the window open until a key is pressed.
// When the program has samples beside it, it is first run on each of them;
// with a generator and a brute force beside it, D runs 对拍.
// Usage: tarnwickstone-launch [--time-limit=SECONDS] [--memory-limit=MB] PROGRAM
// [ARGUMENTS...], or --receive [--port=N] [FOLDER], or --help, or --version.

#include <cstdlib>
#include <string>
#include <vector>

#include "common/names.h"
#include "launch/checker.h"
#include "launch/contest_layout.h"
#include "launch/crash_report.h"
#include "launch/judge.h"
#include "launch/limits.h"
#include "launch/receive.h"
#include "launch/report.h"
#include "launch/samples.h"
#include "launch/source_names.h"
#include "launch/static_data.h"
#include "launch/stress.h"
#include "launch/usage.h"
#include "launch/verdict.h"
#include "platform/platform.h"

namespace {

const int NO_PROGRAM = 2;  // status when no program was named, or an option is wrong
const std::string TIME_OPTION = "--time-limit=";
const std::string MEMORY_OPTION = "--memory-limit=";
const int BY_HAND = -1;  // Choose's answer when Enter asks for the program to run by hand
const size_t SOURCE_MOST = 4u << 20;  // more than any contest program's source
const std::string PLAIN_CHOICE = "按 Enter 键手动运行程序，按其他键结束。";
const std::string STRESS_CHOICE = "按 Enter 键手动运行程序，按 D 键对拍，按其他键结束。";

long long TIME_US = 0;       // the time limit given on the command line; 0: none given
long long MEMORY_BYTES = 0;  // the memory limit given on the command line; 0: none given

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

void Write_Notes(const std::vector<std::string>& notes) {
  for (const std::string& note : notes) Write_Out("提示：" + note + "。\n");
}

// The program as the samples run it, from its source: the files it opens and
// the problem's limits, unless the command line gave them.
Tested_Program Program_Of(const std::string& path, const std::vector<std::string>& argv,
                          const Sample_Set& set, std::vector<std::string>& notes) {
  std::string text, why, name = Shown_Path(Base_Name(set.source));
  std::string stem = Shown_Path(Program_Stem(path));
  if (!set.source.empty() && !Read_Bytes(set.source, SOURCE_MOST, text, &why))
    notes.push_back("无法读取 " + Shown_Path(set.source) + "（" + why + "），只按 " + stem +
                    ".in 和 " + stem + ".out 找输入输出文件");
  Source_Names names = Scan_Source(text);
  std::string standard_io = Standard_Io_Note(path, set, text);
  if (!standard_io.empty()) notes.push_back(standard_io);
  Problem_Limits limits = Read_Limits(text, name);
  notes.insert(notes.end(), limits.notes.begin(), limits.notes.end());
  for (const std::string& opened : names.with_folder)
    notes.push_back(name + " 打开的 " + opened +
                    " 带有文件夹：评测时程序只能读写自己文件夹里的文件，正式比赛中这样的程序会得 "
                    "0 分，请只写文件名");
  if (TIME_US > 0) {
    limits.time_us = TIME_US;
    limits.time_written = false;
  }
  if (MEMORY_BYTES > 0) {
    limits.memory_bytes = MEMORY_BYTES;
    limits.memory_written = false;
  }
  return Judged_Program(argv, limits.problem_name.empty() ? stem : limits.problem_name, names,
                        limits);
}

// Runs the program on every sample: false, once said, with the launcher's
// status when the program cannot be started at all; else true, with 0 in
// `status` when every sample passed and 1 otherwise.
bool Test_Samples(const std::string& path, const Tested_Program& program, const Sample_Set& set,
                  int& status) {
  std::string source_name = Shown_Path(Base_Name(set.source));
  int passed = 0, width = Console_Width();
  for (const Sample& sample : set.samples) {
    Judgement j = Judge_Sample(program, sample);
    if (j.verdict == VERDICT_NOT_STARTED) {
      std::string why;
      int code = Start_Failure(j.run.end.code, &why);
      status = Cannot_Start(path, why, code);
      return false;
    }
    Write_Out(Verdict_Lines(sample.number, j, program, source_name, width));
    passed += j.verdict == VERDICT_AC;
    if (j.verdict == VERDICT_INTERRUPTED) break;
  }
  int total = static_cast<int>(set.samples.size());
  Write_Out(Summary_Line(passed, total));
  status = passed == total ? 0 : 1;
  return true;
}

// What the helpers found beside the program make of 对拍.
std::string Stress_Note(const std::string& path, const Stress_Pair& pair) {
  std::string generator = Shown_Path(Base_Name(pair.generator));
  std::string brute = Shown_Path(Base_Name(pair.brute)), stem = Shown_Path(Program_Stem(path));
  if (!generator.empty() && !brute.empty())
    return "找到生成器 " + generator + " 和暴力程序 " + brute + "，可以对拍。\n";
  if (!generator.empty())
    return "提示：找到了生成器 " + generator + "，但没有暴力程序 " + stem +
           "_brute.cpp，不能对拍。\n";
  if (!brute.empty())
    return "提示：找到了暴力程序 " + brute + "，但没有生成器 " + stem + "_gen.cpp，不能对拍。\n";
  return "";
}

// One key decides: Enter runs the program by hand (BY_HAND), D runs 对拍 and
// asks again, any other key or the end of input ends the launcher: status 1
// when a sample failed or 对拍 found the program wrong, else 0.
int Choose(const std::string& path, const Tested_Program& program, const Sample_Set& set,
           const Stress_Pair& pair, int status) {
  bool stress = !pair.generator.empty() && !pair.brute.empty();
  for (;;) {
    Discard_Typed_Input();
    Key key = Wait_Key(stress ? STRESS_CHOICE : PLAIN_CHOICE);
    if (key == KEY_ENTER) return BY_HAND;
    if (key != KEY_D || !stress) return status;
    long long data = Static_Data_Past(path, program.limits.memory_bytes);
    if (data > 0)
      Write_Out(Static_Data_Stress_Line(Base_Name(path), data, program.limits.memory_bytes));
    if (data > 0 || Stress(path, program, set, pair) == STRESS_DIFFERENT) status = 1;
  }
}

// Judges the samples, if any, then offers the choice. Gives the launcher's
// status, or BY_HAND when Enter asks for the program to be run.
int Judge_And_Choose(const std::string& path, const std::vector<std::string>& argv,
                     const Sample_Set& set, const Stress_Pair& pair) {
  std::vector<std::string> notes;
  Tested_Program program = Program_Of(path, argv, set, notes);
  std::string checker = Find_Checker(path);
  if (!checker.empty()) Prepare_Checker(checker, path, program);
  int status = 0;
  if (!set.samples.empty())
    Write_Out(Samples_Header(set, program, Shown_Path(Base_Name(set.source))) +
              Checker_Line(program));
  Write_Notes(notes);
  const long long memory = program.limits.memory_bytes;
  if (set.samples.empty())
    for (const std::string& why : set.left_out) Write_Out("提示：" + why + "，没有作为样例。\n");
  else if (long long data = Static_Data_Past(path, memory); data > 0) {  // a judge would not run it
    Write_Out(Static_Data_Lines(set.samples, data, memory));
    status = 1;
  } else if (!Test_Samples(path, program, set, status))
    return status;
  Write_Out(Stress_Note(path, pair));
  return Choose(path, program, set, pair, status);
}

// Reads the options before the program's path, moving `first` past them;
// false, after saying why, for one that is wrong.
bool Read_Options(const std::vector<std::string>& args, size_t& first) {
  for (; first < args.size(); ++first) {
    const std::string& arg = args[first];
    bool time = arg.compare(0, TIME_OPTION.size(), TIME_OPTION) == 0;
    bool memory = arg.compare(0, MEMORY_OPTION.size(), MEMORY_OPTION) == 0;
    if (!time && !memory) return true;
    std::string value = arg.substr((time ? TIME_OPTION : MEMORY_OPTION).size());
    if (time && !Read_Seconds(value, TIME_US)) {
      Write_Out("无法启动程序：时限“" + value +
                "”不是 0.001 到 3600 之间的秒数（例如 --time-limit=2）。\n");
      return false;
    }
    if (memory && !Read_Megabytes(value, MEMORY_BYTES)) {
      Write_Out("无法启动程序：内存限制“" + value +
                "”不是 1 到 65536 之间的 MB 数（例如 --memory-limit=256）。\n");
      return false;
    }
  }
  return true;
}

int Launch(const std::vector<std::string>& args) {
  Remove_Left_Folders();
  if (args.size() > 1 && args[1] == "--receive")
    return Receive(std::vector<std::string>(args.begin() + 2, args.end()));
  size_t first = 1;  // the program's path; options come before it
  if (!Read_Options(args, first)) return Finish(NO_PROGRAM);
  if (args.size() <= first) {
    // Started with no words at all, most likely by a double click: a welcome,
    // not an error.
    Write_Out((first == 1 ? ""
                          : "无法启动程序：没有给出程序的路径（用法：tarnwickstone-launch 程序路径 "
                            "[参数……]）。\n\n") +
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
  Stress_Pair pair = Find_Stress_Pair(path);
  for (const std::string& error : set.errors)
    Write_Out("提示：" + error + "，其中的样例没有找到。\n");
  std::string folder;  // where the program is run by hand: here, or its own after a choice
  if (!set.samples.empty() || (!pair.generator.empty() && !pair.brute.empty())) {
    int status = Judge_And_Choose(path, argv, set, pair);
    if (status != BY_HAND) return status;
    // As a judge runs it: where its freopen finds its files.
    folder = path.substr(0, path.size() - Base_Name(path).size());
    if (folder.empty()) folder = ".";
  } else {
    for (const std::string& why : set.left_out) Write_Out("提示：" + why + "，没有作为样例。\n");
    Write_Out(Stress_Note(path, pair));
    std::string text, note;  // in the contest's folders, before it is run by hand
    if (Read_Bytes(set.source, SOURCE_MOST, text)) note = Standard_Io_Note(path, set, text);
    if (!note.empty()) Write_Notes({note});
  }
  Crash_Stack crash;
  long long start = Clock_Us();
  std::string why;
  Program_End end = Run_Watched(argv, folder, crash, &why);
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
