#include "launch/crash_report.h"

#include "common/compiler.h"  // Find_Tool
#include "common/names.h"
#include "launch/debug_lines.h"
#include "launch/local_arrays.h"
#include "launch/program_bytes.h"
#include "launch/report.h"

#include <map>
#include <utility>

namespace {

const size_t MOST_CALLERS = 4;  // more are cut to the first few and main

std::string Line_Of(const Call_Step& step, const std::string& crash_file) {
  std::string line = "第 " + std::to_string(step.line) + " 行";
  return step.file == crash_file ? " " + line : "（" + Base_Name(step.file) + " " + line + "）";
}

// What a run of repeated calls adds to the text of its last step.
std::string Run_Note(const Call_Step& first) {
  if (first.block == 1) return "，共 " + std::to_string(first.repeat) + " 层";
  return "，这 " + std::to_string(first.block) + " 层共重复 " + std::to_string(first.repeat) +
         " 次";
}

// "由 main 第 30 行调用；…": who called the crash's function, and so on out to main.
std::string Callers(const std::vector<Call_Step>& steps) {
  std::string joined;
  std::string outermost;  // "最外层的 " after a run: the call from outside it
  size_t count = steps.size() - 1, run_end = 0, run_start = 0;
  for (size_t i = 1; i <= count; i++) {
    const Call_Step& step = steps[i];
    if (step.repeat > 1) {
      run_start = i;
      run_end = i + static_cast<size_t>(step.block) - 1;
    }
    if (count > MOST_CALLERS && i >= MOST_CALLERS - 1 && i < count) {
      if (i == MOST_CALLERS - 1) joined += "；……";
      outermost.clear();
      continue;
    }
    // An inlined function may have no name to give: its line still tells.
    const std::string& callee = steps[i - 1].function;
    std::string text = i == 1 || callee.empty() ? "" : outermost + callee + " ";
    std::string line = Line_Of(step, steps[0].file);
    text += "由" +
            (step.function.empty() ? line.substr(line[0] == ' ') : " " + step.function + line) +
            "调用";
    outermost.clear();
    if (i == run_end && run_start > 0) {
      text += Run_Note(steps[run_start]);
      outermost = "最外层的 ";
    }
    joined += (joined.empty() ? "" : "；") + text;
  }
  return joined;
}

// What the library function that line called did, when it ended the program.
std::string Ended_By(const Crash_Location& l) {
  switch (l.cause) {
    case CAUSE_EXCEPTION:
      if (l.callee.empty() || l.callee[0] == '_') return "这一行抛出的异常没有被捕获。\n";
      return "这一行调用的 " + l.callee + " 抛出了异常，程序没有捕获它。\n";
    case CAUSE_TERMINATE:
      if (l.callee == "__cxa_pure_virtual")
        return "这一行调用了一个纯虚函数（常见于在构造函数或析构函数里调用虚函数），程序因此中止。"
               "\n";
      if (l.callee.find("thread::~thread") != std::string::npos)
        return "这一行销毁的 std::thread 既没有 join 也没有 detach，程序因此中止（并没有异常）。\n";
      return "这一行调用的" + (l.callee.empty() || l.callee[0] == '_' ? "库函数" : " " + l.callee) +
             "调用了 std::terminate，程序因此中止（并没有异常）。\n";
    case CAUSE_HEAP:
      return "这一行申请或释放内存时，C "
             "库发现堆内存已被破坏，中止了程序：常见原因是同一块内存释放了"
             "两次，或者数组越界写坏了堆。\n";
    case CAUSE_RAISED:
      return "这一行调用了 " + (l.callee.empty() ? std::string("raise") : l.callee) +
             "：是程序自己发出了这个信号，并不是出了上面说的那种错。\n";
    default:
      return "";
  }
}

// What more there is to say about the line: what it called, and why.
std::string Cause_Line(const Crash_Location& l) {
  std::string function = l.steps[0].function.empty() ? "" : " " + l.steps[0].function;
  switch (l.cause) {
    case CAUSE_FAULT:
      return "";
    case CAUSE_ASSERT:
      return "这一行的断言（assert）不成立。\n";
    case CAUSE_ABORT:
      if (l.callee == "abort") return "这一行调用了 abort。\n";
      break;
    case CAUSE_SMASHED:
      return (function.empty() ? "这个函数" : "函数" + function + " ") +
             "返回时发现它在栈上的数据被改坏了：常见原因是这个函数里的局部数组越界写入（例如读入的"
             "字"
             "符串比字符数组长）。\n";
    case CAUSE_TRAP:
      return "编译器在这里发现了一定会出错的代码（例如除以 0 或空指针），优化时放了一条陷阱指令，"
             "程序运行到这里就停下了。\n";
    case CAUSE_BAD_CALL:
      return "这一行调用的函数地址无效（例如空的函数指针），程序跳到了没有代码的地方。\n";
    case CAUSE_LIBRARY:
      break;
    default:
      return Ended_By(l);
  }
  if (l.overflow) return "";
  return "出错时正在执行这一行调用的" + (l.callee.empty() ? "库函数" : " " + l.callee) +
         "：原因通常是传给它的参数不对（例如空指针、越界的下标或范围）。\n";
}

std::string Overflow_Line(const Crash_Location& l) {
  if (!l.overflow) return "";
  if (l.recursive.empty() && !l.array.empty())
    return "栈空间用完了：这一行声明的局部数组 " + l.array +
           (l.array_bytes < 0 ? "（长度在运行时才确定）"
                              : "（" + Format_Megabytes(l.array_bytes) + " MB）") +
           "太大，可以把它改成全局数组。\n";
  if (l.recursive.empty())
    return "栈空间用完了：常见原因是函数里的局部数组太大，可以把它改成全局数组。\n";
  return "递归太深：函数 " + l.recursive + " 递归了" + (l.deeper ? "超过 " : " ") +
         std::to_string(l.depth) +
         " 层，用完了栈空间。请检查递归的终止条件；确实需要这么深时，可以改用循环。\n";
}

const size_t PROGRAM_MOST = 512u << 20;  // bytes of a program read for its line tables
const long long LARGE_ARRAY = 1 << 20;   // bytes of a local array that can take a stack

// The innermost place of each chain as the program's line tables have it
// (see debug_lines.h), its file name when it is text that can be shown.
void Correct_Lines(const Line_Tables& tables, const std::vector<unsigned long long>& addresses,
                   std::vector<Inline_Chain>& chains) {
  for (size_t i = 0; i < addresses.size(); i++) {
    Source_Place found{"", "", 0};
    if (chains[i].empty() || !Find_Line(tables, addresses[i], found.file, found.line)) continue;
    // Code of an inlined function whose row (no statement's) names the line
    // it was called from: the statement's row at that address is its own.
    if (chains[i].size() > 1 && found.line == chains[i][1].line)
      Find_Line(tables, addresses[i], found.file, found.line, true);
    std::string file = File_Name_Text(found.file);
    if (file == found.file || chains[i].front().file.empty()) chains[i].front().file = file;
    chains[i].front().line = found.line;
  }
}

// A function that addr2line could not name, named by the program's symbol
// table as the linker has it: the C++ runtime linked into a MinGW program has
// no debug information, and its __cxa_throw tells an exception from an abort.
void Name_From_Symbols(const std::string& program, const std::vector<unsigned long long>& addresses,
                       std::vector<Inline_Chain>& chains) {
  for (size_t i = 0; i < addresses.size(); i++)
    if (!chains[i].empty() && chains[i].back().function.empty())
      chains[i].back().function = Function_Symbol_At(program, addresses[i]);
}

using Code_Address = std::pair<int, unsigned long long>;  // a module and an address in it

// The source places of the frames that can tell where the crash was: all of
// the program's, and the libraries' inside it (what it called, and how that
// ended). False when the program's own cannot be read, with why in `err`.
bool Read_Frames(const Crash_Stack& stack, const std::string& tool, const std::string& program,
                 const Line_Tables& tables, std::map<Code_Address, Inline_Chain>& named,
                 std::string* err) {
  std::map<int, std::vector<unsigned long long>> wanted;
  bool inside = true;
  for (const Crash_Frame& frame : stack.frames) {
    inside = inside && frame.module != 0;
    if (frame.module == 0 || (inside && frame.module > 0)) {
      std::vector<unsigned long long>& list = wanted[frame.module];
      if (named.emplace(Code_Address{frame.module, frame.address}, Inline_Chain()).second)
        list.push_back(frame.address);
    }
  }
  for (const auto& [module, addresses] : wanted) {
    std::vector<Inline_Chain> chains;
    std::string why;
    if (!Read_Places(tool, stack.modules[static_cast<size_t>(module)], addresses, chains, &why)) {
      if (module != 0) continue;  // a library's names only add to what is said
      if (err) *err = why;
      return false;
    }
    if (module == 0) Correct_Lines(tables, addresses, chains);
    if (module == 0) Name_From_Symbols(program, addresses, chains);
    for (size_t i = 0; i < addresses.size(); i++) named[{module, addresses[i]}] = chains[i];
  }
  return true;
}

// What the instruction the program stopped at shows about a crash on the
// user's own line: a trap the optimiser put there, or a return through a
// return address that was overwritten.
void Read_Instruction(const Crash_Stack& stack, const std::string& program, Crash_Location& l) {
  const Crash_Frame& top = stack.frames[0];
  if (top.module < 0 && l.cause == CAUSE_LIBRARY) l.cause = CAUSE_BAD_CALL;
  std::string code;
  if (top.module != 0 || l.cause != CAUSE_FAULT || !Read_Code(program, top.address, 2, code))
    return;
  if (code == "\x0f\x0b") l.cause = CAUSE_TRAP;  // ud2
  if (code[0] == '\xc3' || code == "\xf3\xc3") l.cause = l.overflow ? l.cause : CAUSE_SMASHED;
}

// A stack that ran out without recursion: the declaration of the function's
// largest local array, when one is large enough to have taken it.
void Find_Large_Array(const Crash_Stack& stack, const std::string& program, Crash_Location& l) {
  Local_Array array{"", 0, 0};
  for (const Crash_Frame& frame : stack.frames) {
    if (frame.module != 0) continue;
    if (Largest_Local_Array(program, frame.address, array) &&
        (array.bytes < 0 || array.bytes >= LARGE_ARRAY)) {
      l.steps[0].line = array.line;
      l.array = array.name;
      l.array_bytes = array.bytes;
    }
    return;
  }
}

// Why no line of the user's can be named, as far as the program's file tells.
std::string Why_No_Line(const Crash_Location& l, const Line_Tables& tables) {
  if (!l.no_lines) return l.why;
  if (tables.damaged) return "程序里的调试信息已损坏，读不出行号：请重新编译";
  if (tables.present) return "出错的地方不在你的源文件里，也没能从那里找到调用它的代码";
  return l.why;
}

}  // namespace

std::string Crash_Lines(const Crash_Stack& stack) {
  if (!stack.crashed) return "";
  if (!stack.caught || stack.modules.empty())
    return "无法确定出错位置：" +
           (stack.missing.empty() ? std::string("没能在程序出错的那一刻停下它") : stack.missing) +
           "。\n";
  std::string tool = Find_Tool("addr2line");
  if (tool.empty())
    return "无法确定出错位置：找不到读取行号的工具 addr2line（它和 g++ 一起安装，"
           "通常在 g++ 所在的文件夹里）。\n";
  std::string program;
  Line_Tables tables;
  if (Read_Bytes(stack.modules[0], PROGRAM_MOST, program, nullptr))
    Parse_Line_Tables(program, tables);
  std::map<Code_Address, Inline_Chain> named;
  std::string why;
  if (!Read_Frames(stack, tool, program, tables, named, &why))
    return "无法确定出错位置：" + why + "。\n";
  std::vector<Frame_Places> frames;
  frames.reserve(stack.frames.size());
  for (const Crash_Frame& frame : stack.frames) {
    auto found = named.find({frame.module, frame.address});
    frames.push_back({frame.module == 0, found == named.end() ? Inline_Chain() : found->second});
  }
  Crash_Location l =
      Locate_Crash(frames, stack.modules[0], stack.cut, stack.overflow, stack.through);
  if (l.known && !stack.frames.empty()) Read_Instruction(stack, program, l);
  if (l.known && l.overflow && l.recursive.empty()) Find_Large_Array(stack, program, l);
  l.why = Why_No_Line(l, tables);
  return Location_Lines(l);
}

std::string Location_Lines(const Crash_Location& l) {
  if (!l.known) return "无法确定出错位置：" + l.why + "。\n";
  const Call_Step& crash = l.steps[0];
  std::string line = "出错位置：" + Base_Name(crash.file) + " 第 " + std::to_string(crash.line) +
                     " 行" + (crash.function.empty() ? "" : "，函数 " + crash.function);
  if (l.steps.size() > 1) line += "（" + Callers(l.steps) + "）";
  return line + "\n" + Cause_Line(l) + Overflow_Line(l);
}
