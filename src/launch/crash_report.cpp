#include "launch/crash_report.h"

#include "common/compiler.h"  // Find_Tool
#include "common/names.h"
#include "launch/debug_lines.h"

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
    text += "由" + (step.function.empty() ? "" : " " + step.function) +
            Line_Of(step, steps[0].file) + "调用";
    outermost.clear();
    if (i == run_end && run_start > 0) {
      text += Run_Note(steps[run_start]);
      outermost = "最外层的 ";
    }
    joined += (joined.empty() ? "" : "；") + text;
  }
  return joined;
}

// What more there is to say about the line: what it called, and why.
std::string Cause_Line(const Crash_Location& l) {
  switch (l.cause) {
    case CAUSE_FAULT:
      return "";
    case CAUSE_ASSERT:
      return "这一行的断言（assert）不成立。\n";
    case CAUSE_EXCEPTION:
      if (l.callee.empty() || l.callee[0] == '_') return "这一行抛出的异常没有被捕获。\n";
      return "这一行调用的 " + l.callee + " 抛出了异常，程序没有捕获它。\n";
    case CAUSE_ABORT:
      if (l.callee == "abort") return "这一行调用了 abort。\n";
      break;
    case CAUSE_LIBRARY:
      break;
  }
  if (l.overflow) return "";
  return "出错时正在执行这一行调用的" + (l.callee.empty() ? "库函数" : " " + l.callee) +
         "：原因通常是传给它的参数不对（例如空指针、越界的下标或范围）。\n";
}

std::string Overflow_Line(const Crash_Location& l) {
  if (!l.overflow) return "";
  if (l.recursive.empty())
    return "栈空间用完了：常见原因是函数里的局部数组太大，可以把它改成全局数组。\n";
  return "递归太深：函数 " + l.recursive + " 递归了" + (l.deeper ? "超过 " : " ") +
         std::to_string(l.depth) +
         " 层，用完了栈空间。请检查递归的终止条件；确实需要这么深时，可以改用循环。\n";
}

const size_t PROGRAM_MOST = 512u << 20;  // bytes of a program read for its line tables

// The innermost place of each chain as the program's line tables have it,
// where they can be read (see debug_lines.h).
void Correct_Lines(const std::string& program, const std::vector<unsigned long long>& addresses,
                   std::vector<Inline_Chain>& chains) {
  std::string bytes;
  Line_Tables tables;
  if (!Read_Bytes(program, PROGRAM_MOST, bytes, nullptr) || !Parse_Line_Tables(bytes, tables))
    return;
  for (size_t i = 0; i < addresses.size(); i++) {
    Source_Place found{"", "", 0};
    if (!chains[i].empty() && Find_Line(tables, addresses[i], found.file, found.line)) {
      chains[i].front().file = found.file;
      chains[i].front().line = found.line;
    }
  }
}

using Code_Address = std::pair<int, unsigned long long>;  // a module and an address in it

// The source places of the frames that can tell where the crash was: all of
// the program's, and the libraries' inside it (what it called, and how that
// ended). False when the program's own cannot be read, with why in `err`.
bool Read_Frames(const Crash_Stack& stack, const std::string& tool,
                 std::map<Code_Address, Inline_Chain>& named, std::string* err) {
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
    if (module == 0) Correct_Lines(stack.modules[0], addresses, chains);
    for (size_t i = 0; i < addresses.size(); i++) named[{module, addresses[i]}] = chains[i];
  }
  return true;
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
  std::map<Code_Address, Inline_Chain> named;
  std::string why;
  if (!Read_Frames(stack, tool, named, &why)) return "无法确定出错位置：" + why + "。\n";
  std::vector<Frame_Places> frames;
  frames.reserve(stack.frames.size());
  for (const Crash_Frame& frame : stack.frames) {
    auto found = named.find({frame.module, frame.address});
    frames.push_back({frame.module == 0, found == named.end() ? Inline_Chain() : found->second});
  }
  return Location_Lines(
      Locate_Crash(frames, stack.modules[0], stack.cut, stack.overflow, stack.through));
}

std::string Location_Lines(const Crash_Location& l) {
  if (!l.known) return "无法确定出错位置：" + l.why + "。\n";
  const Call_Step& crash = l.steps[0];
  std::string line = "出错位置：" + Base_Name(crash.file) + " 第 " + std::to_string(crash.line) +
                     " 行" + (crash.function.empty() ? "" : "，函数 " + crash.function);
  if (l.steps.size() > 1) line += "（" + Callers(l.steps) + "）";
  return line + "\n" + Cause_Line(l) + Overflow_Line(l);
}
