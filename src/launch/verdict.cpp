#include "launch/verdict.h"

#include "launch/report.h"
#include "launch/show.h"

namespace {

const std::string INDENT = "  ";
const size_t SHORT_INPUT = 400;  // bytes; a longer input is not shown with a WA
const int SHORT_LINES = 5;

// The columns left for a text after "  期望：", with the last column kept free
// so that the console does not wrap.
int Room(int width) {
  return width - 9;
}

std::string Line_Text(const std::string& line, bool missing, size_t focus, int width) {
  if (missing) return "（没有这一行）";
  if (line.empty()) return "（空行）";
  return Show_Line(line, focus, Room(width));
}

// The sample input, when it is short enough to read at a glance.
std::string Input_Lines(const std::string& input, int width) {
  if (input.size() > SHORT_INPUT) return "";
  std::string text, line;
  int count = 0;
  for (size_t at = 0; at < input.size(); at += line.size() + 1) {
    size_t end = input.find('\n', at);
    line = input.substr(at, end == std::string::npos ? std::string::npos : end - at);
    std::string shown = line;
    if (!shown.empty() && shown.back() == '\r') shown.pop_back();
    if (++count > SHORT_LINES) return "";
    text += (count == 1 ? INDENT + "输入：" : std::string(8, ' ')) +
            Show_Line(shown, 0, Room(width)) + "\n";
  }
  return count == 0 ? INDENT + "输入：（空）\n" : text;
}

std::string Wrong_Lines(const Judgement& j, int width) {
  if (j.cut) return "输出超过 64 MB，后面的部分被截掉，算作答案错误。\n";
  const Difference& d = j.difference;
  return "第 " + std::to_string(d.line) + " 行不同" +
         (d.spacing_only ? "（只有空格或制表符不同）" : "") + "：\n" + INDENT + "期望：" +
         Line_Text(d.expected, d.expected_missing, d.column, width) + "\n" + INDENT + "实际：" +
         Line_Text(d.actual, d.actual_missing, d.column, width) + "\n" +
         Input_Lines(j.input, width);
}

}  // namespace

std::string Samples_Header(const Sample_Set& set, long long limit_us) {
  std::string text = "在 " + set.folder + " 找到 " + std::to_string(set.samples.size()) +
                     " 个样例，每个限时 " + Format_Seconds(limit_us) + " 秒。\n";
  for (const std::string& input : set.unanswered)
    text += "提示：" + input + " 没有对应的答案文件，没有作为样例。\n";
  return text;
}

std::string Verdict_Lines(const std::string& number, const Judgement& j, long long limit_us,
                          int width) {
  std::string head = "样例 " + number + "：";
  std::string time = "用时 " + Format_Seconds(j.us) + " 秒。";
  std::string text, explanation;
  switch (j.verdict) {
    case VERDICT_AC:
      text = head + "AC 通过，" + time + "\n";
      break;
    case VERDICT_WA:
      text = head + "WA 答案错误，" + time + Wrong_Lines(j, width);
      break;
    case VERDICT_RE: {
      std::string signal = j.end.signaled ? Signal_Name(static_cast<int>(j.end.code)) : "";
      text = head + "RE 运行错误，" + End_Line(j.end, j.us, signal, explanation) + "\n";
      if (explanation.empty() && !j.end.signaled)
        explanation = "评测时返回值不是 0 就算运行错误：main 函数最后应当返回 0。";
      if (!explanation.empty()) text += INDENT + explanation + "\n";
      for (size_t at = 0; at < j.location.size();) {  // each of its lines indented alike
        size_t end = j.location.find('\n', at);
        text += INDENT + j.location.substr(at, end - at) + "\n";
        at = end == std::string::npos ? j.location.size() : end + 1;
      }
      break;
    }
    case VERDICT_TLE:
      text =
          head + "TLE 超时，超过 " + Format_Seconds(limit_us) + " 秒还没有结束，程序已被结束。\n";
      break;
    case VERDICT_UNTESTED:
      text = head + "无法测试：" + j.error + "。\n";
      break;
    case VERDICT_INTERRUPTED:
      text = head + "已中断：按下了 Ctrl+C，后面的样例不再运行。\n";
      break;
    case VERDICT_NOT_STARTED:
      break;
  }
  for (const std::string& note : j.notes) text += INDENT + "提示：" + note + "。\n";
  return text;
}

std::string Summary_Line(int passed, int total) {
  return "通过 " + std::to_string(passed) + "/" + std::to_string(total) + "\n";
}
