#include "launch/verdict.h"

#include "common/names.h"
#include "launch/crash_report.h"
#include "launch/difference.h"
#include "launch/explain.h"
#include "launch/report.h"

namespace {

const std::string INDENT = "  ";
const int ERROR_LINES = 5;    // of a crash's standard error, shown
const int ERROR_WIDTH = 400;  // columns of each, beyond which one is cut

std::string Usage(const Sample_Run& run) {
  return "用时 " + Format_Seconds(run.cpu_us) + " 秒，内存 " + Format_Megabytes(run.peak_bytes) +
         " MB";
}

std::string Limits_Origin(const Problem_Limits& limits, const std::string& source_name) {
  std::string what = limits.time_written && limits.memory_written ? "时间和内存限制"
                     : limits.time_written                        ? "时间限制"
                     : limits.memory_written                      ? "内存限制"
                                                                  : "";
  return what.empty() ? "" : what + "来自 " + source_name + " 开头的注释。";
}

std::string Tolerance_Line(const Tolerance& t, const std::string& source_name) {
  if (t.text.empty()) return "";
  std::string kind = t.absolute > 0 && t.relative > 0 ? "绝对或相对误差"
                     : t.absolute > 0                 ? "绝对误差"
                                                      : "相对误差";
  return "实数答案允许不超过 " + t.text + " 的" + kind + "（来自 " + source_name +
         " 开头的注释）。\n";
}

std::string Crash_Text(const Judgement& j) {
  std::string signal = j.run.end.signaled ? Signal_Name(static_cast<int>(j.run.end.code)) : "";
  std::string explanation;
  std::string text =
      "RE 运行错误，" + End_Words(j.run.end, signal, explanation) + "，" + Usage(j.run) + "。\n";
  // Ended through abort, as a signal ends it elsewhere: said as that signal is.
  if (explanation.empty() && j.aborted) explanation = Explain_Signal("SIGABRT");
  if (explanation.empty() && !j.run.end.signaled)
    explanation = "评测时返回值不是 0 就算运行错误：main 函数最后应当返回 0。";
  if (!explanation.empty()) text += INDENT + explanation + "\n";
  std::string location = Crash_Lines(j.crash);
  for (size_t at = 0; at < location.size();) {  // where it crashed, each line indented
    size_t end = location.find('\n', at);
    text += INDENT + location.substr(at, end - at) + "\n";
    at = end == std::string::npos ? location.size() : end + 1;
  }
  // Whole lines, for the console to wrap: an assertion's message comes last.
  std::string errors = Last_Lines(j.run.errors, ERROR_LINES, INDENT + INDENT, ERROR_WIDTH);
  if (!errors.empty()) text += INDENT + "标准错误输出的最后几行：\n" + errors;
  return text;
}

std::string Time_Lines(const Judgement& j, long long limit_us) {
  const Sample_Run& run = j.run;
  std::string memory = "内存 " + Format_Megabytes(run.peak_bytes) + " MB。\n";
  std::string limit = Format_Seconds(limit_us) + " 秒";
  switch (run.stop) {
    case STOP_TERMINAL:
      return "TLE 超时，程序在等待键盘输入，已被结束，" + Usage(run) + "。\n" + INDENT +
             "运行样例时没有键盘：输入只能来自标准输入或输入文件，不能读 /dev/tty 或控制台。\n";
    case STOP_WAITING:
      return "TLE 超时，程序在等待：过了 " + Format_Seconds(run.wall_us) + " 秒只用了 " +
             Format_Seconds(run.cpu_us) + " 秒 CPU 时间，已被结束，" + memory + INDENT +
             "它没有在计算，而是停下来等待，例如调用了 sleep，或者在等待不会到来的输入。\n";
    case STOP_SLOW:
      return "TLE 超时，过了 " + Format_Seconds(run.wall_us) +
             " 秒还没有结束，已被结束；它只用了 " + Format_Seconds(run.cpu_us) +
             " 秒 CPU 时间，电脑可能太忙，" + memory;
    case STOP_NONE:
      return "TLE 超时，用时 " + Format_Seconds(run.cpu_us) + " 秒，超过了 " + limit + "的限制，" +
             memory;
    case STOP_TIME:
    case STOP_MEMORY:
    case STOP_OUTPUT:
    case STOP_INTERRUPTED:
    case STOP_DEADLINE:
      return "TLE 超时，超过 " + limit + "还没有结束，程序已被结束，" + memory;
  }
  return "";
}

std::string Memory_Lines(const Judgement& j, long long limit_bytes) {
  std::string limit = Format_Megabytes(limit_bytes) + " MB";
  std::string time = "用时 " + Format_Seconds(j.run.cpu_us) + " 秒。\n";
  if (j.run.stop == STOP_MEMORY)
    return "MLE 超出内存限制，内存超过 " + limit + "，程序已被结束，" + time;
  return "MLE 超出内存限制，内存 " + Format_Megabytes(j.run.peak_bytes) + " MB，超过了 " + limit +
         " 的限制，" + time;
}

// "a.txt、b.txt"
std::string Names(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : "、") + name;
  return joined;
}

// Why a program that used other files than the judge's fails in the contest.
std::string Files_Lines(const Judgement& j, const Tested_Program& program) {
  std::string text, zero = "：比赛时这道题会得 0 分。\n";
  if (!j.unprovided.empty() && !program.inputs.empty())
    text += INDENT + "提示：程序打开的是 " + Names(j.unprovided) + "，评测只提供 " +
            program.inputs[0] + zero;
  if (!j.written.empty())
    text += INDENT + "提示：程序写出了 " + Names(j.written) + "，评测只读 " + program.out_name +
            " 或标准输出" + zero;
  return text;
}

// The points in a checker's message: testlib's quitp writes them first,
// after "points" in some versions. "" when none is there.
std::string Points_In(const std::string& message) {
  size_t at = message.find_first_not_of(" \t\r\n");
  if (at != std::string::npos && message.compare(at, 6, "points") == 0)
    at = message.find_first_not_of(" \t", at + 6);
  if (at == std::string::npos) return "";
  size_t end = message.find_first_not_of("0123456789.", at);
  std::string points = message.substr(at, end == std::string::npos ? end : end - at);
  return !points.empty() && points != "." ? points : "";
}

// The last lines the checker wrote, under its name; "" when it said nothing.
std::string Checker_Said(const Judgement& j, const Tested_Program& program) {
  std::string said = Last_Lines(j.checker_message, ERROR_LINES, INDENT + INDENT, ERROR_WIDTH);
  return said.empty() ? "" : INDENT + "检查器 " + program.checker_name + " 的话：\n" + said;
}

// What the checker said, and the input, for a student to read.
std::string Checker_Words(const Judgement& j, const Tested_Program& program, int width) {
  std::string text;
  if (j.presentation)
    text += INDENT + "检查器说输出的格式不对（testlib 的 PE），评测时算答案错误。\n";
  return text + Checker_Said(j, program) + Input_Lines(j.input, j.input_file, width);
}

}  // namespace

std::string Samples_Header(const Sample_Set& set, const Tested_Program& program,
                           const std::string& source_name) {
  const Problem_Limits& limits = program.limits;
  std::string text =
      "在 " + Shown_Path(set.folder) + " 找到 " + std::to_string(set.samples.size()) +
      " 个样例，每个限时 " + Format_Seconds(limits.time_us) + " 秒，内存限制 " +
      Format_Megabytes(limits.memory_bytes) + " MB。" + Limits_Origin(limits, source_name) + "\n" +
      Tolerance_Line(limits.tolerance, source_name);
  if (!limits.problem_name.empty() && !program.inputs.empty())
    text += "评测提供的输入文件是 " + program.inputs[0] + "，读取的输出文件是 " + program.out_name +
            "（来自 " + source_name + " 开头的注释）。\n";
  if (!program.standard_output.empty())
    text += "程序用 freopen 把输出写进 " + Shown_Path(program.standard_output) +
            "，评测的是这个文件。\n";
  for (const std::string& why : set.left_out) text += "提示：" + why + "，没有作为样例。\n";
  return text;
}

std::string Verdict_Lines(const std::string& number, const Judgement& j,
                          const Tested_Program& program, const std::string& source_name,
                          int width) {
  if (j.verdict == VERDICT_NOT_STARTED) return "";
  return "样例 " + number + "：" + Verdict_Text(j, program, source_name, width);
}

std::string Verdict_Text(const Judgement& j, const Tested_Program& program,
                         const std::string& source_name, int width) {
  std::string text;
  switch (j.verdict) {
    case VERDICT_AC:
      text += "AC 通过，" + Usage(j.run) + "。\n";
      break;
    case VERDICT_WA:
      text += "WA 答案错误，" + Usage(j.run) + "。" +
              (program.checker_name.empty() ? Wrong_Lines(j, source_name, width)
                                            : "\n" + Checker_Words(j, program, width));
      break;
    case VERDICT_PARTIAL: {
      std::string points = Points_In(j.checker_message);
      text += "部分分" + (points.empty() ? "" : " " + points + " 分") + "，" + Usage(j.run) +
              "。\n" + Checker_Words(j, program, width);
      break;
    }
    case VERDICT_JUDGE_FAILED:
      text += "没有结果：" + j.error + "，这不是程序的错，这个样例不算对也不算错。\n" +
              Checker_Said(j, program);
      break;
    case VERDICT_RE:
      text += Crash_Text(j);
      break;
    case VERDICT_TLE:
      text += Time_Lines(j, program.limits.time_us);
      break;
    case VERDICT_MLE:
      text += Memory_Lines(j, program.limits.memory_bytes);
      break;
    case VERDICT_UNTESTED:
      text += "无法测试：" + j.error + "。\n";
      break;
    case VERDICT_INTERRUPTED:
      text += "已中断：按下了 Ctrl+C，后面的样例不再运行。\n";
      break;
    case VERDICT_NOT_STARTED:
      return "";
  }
  if (!j.judged_file.empty() && j.judged_file != program.standard_output)
    text += INDENT + "评测的是程序写出的 " + j.judged_file + "。\n";
  if (j.judged_file.empty() && !program.standard_output.empty() &&
      (j.verdict == VERDICT_AC || j.verdict == VERDICT_WA) && !j.cut)
    text += INDENT + "程序没有写出 " + program.standard_output + "，评测的是它的标准输出。\n";
  text += Files_Lines(j, program);
  for (const std::string& note : j.notes) text += INDENT + "提示：" + note + "。\n";
  return text;
}

std::string Summary_Line(int passed, int total) {
  return "通过 " + std::to_string(passed) + "/" + std::to_string(total) + "\n";
}
