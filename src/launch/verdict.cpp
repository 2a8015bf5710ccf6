#include "launch/verdict.h"

#include "launch/difference.h"
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

std::string Crash_Lines(const Judgement& j) {
  std::string signal = j.run.end.signaled ? Signal_Name(static_cast<int>(j.run.end.code)) : "";
  std::string explanation;
  std::string text =
      "RE 运行错误，" + End_Words(j.run.end, signal, explanation) + "，" + Usage(j.run) + "。\n";
  if (explanation.empty() && !j.run.end.signaled)
    explanation = "评测时返回值不是 0 就算运行错误：main 函数最后应当返回 0。";
  if (!explanation.empty()) text += INDENT + explanation + "\n";
  for (size_t at = 0; at < j.location.size();) {  // where it crashed, each line indented
    size_t end = j.location.find('\n', at);
    text += INDENT + j.location.substr(at, end - at) + "\n";
    at = end == std::string::npos ? j.location.size() : end + 1;
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
    default:
      return "TLE 超时，超过 " + limit + "还没有结束，程序已被结束，" + memory;
  }
}

std::string Memory_Lines(const Judgement& j, long long limit_bytes) {
  std::string limit = Format_Megabytes(limit_bytes) + " MB";
  std::string time = "用时 " + Format_Seconds(j.run.cpu_us) + " 秒。\n";
  if (j.run.stop == STOP_MEMORY)
    return "MLE 超出内存限制，内存超过 " + limit + "，程序已被结束，" + time;
  return "MLE 超出内存限制，内存 " + Format_Megabytes(j.run.peak_bytes) + " MB，超过了 " + limit +
         " 的限制，" + time;
}

}  // namespace

std::string Samples_Header(const Sample_Set& set, const Tested_Program& program,
                           const std::string& source_name) {
  const Problem_Limits& limits = program.limits;
  std::string text = "在 " + set.folder + " 找到 " + std::to_string(set.samples.size()) +
                     " 个样例，每个限时 " + Format_Seconds(limits.time_us) + " 秒，内存限制 " +
                     Format_Megabytes(limits.memory_bytes) + " MB。" +
                     Limits_Origin(limits, source_name) + "\n" +
                     Tolerance_Line(limits.tolerance, source_name);
  if (!program.standard_output.empty())
    text += "程序用 freopen 把输出写进 " + program.standard_output + "，评测的是这个文件。\n";
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
      text += "WA 答案错误，" + Usage(j.run) + "。" + Wrong_Lines(j, source_name, width);
      break;
    case VERDICT_RE:
      text += Crash_Lines(j);
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
  for (const std::string& note : j.notes) text += INDENT + "提示：" + note + "。\n";
  return text;
}

std::string Summary_Line(int passed, int total) {
  return "通过 " + std::to_string(passed) + "/" + std::to_string(total) + "\n";
}
