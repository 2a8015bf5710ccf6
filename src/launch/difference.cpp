#include "launch/difference.h"

#include <algorithm>
#include <vector>

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

// The first `most` lines of the input as they are shown, each after `lead`
// (the first after `first_lead`); `count` gets how many lines it has in all.
std::string First_Lines(const std::string& input, int most, const std::string& first_lead,
                        int width, int& count) {
  std::string text, line, lead = std::string(8, ' ');
  count = 0;
  for (size_t at = 0; at < input.size(); at += line.size() + 1) {
    size_t end = input.find('\n', at);
    line = input.substr(at, end == std::string::npos ? std::string::npos : end - at);
    std::string shown = line;
    if (!shown.empty() && shown.back() == '\r') shown.pop_back();
    if (++count <= most)
      text += (count == 1 ? first_lead : lead) + Show_Line(shown, 0, Room(width)) + "\n";
  }
  return text;
}

}  // namespace

std::string Input_Lines(const std::string& input, const std::string& file, int width) {
  int count = 0;
  if (input.size() <= SHORT_INPUT) {
    std::string text = First_Lines(input, SHORT_LINES, INDENT + "输入：", width, count);
    if (count == 0) return INDENT + "输入：（空）\n";
    if (count <= SHORT_LINES) return text;
  }
  if (file.empty()) return "";
  // Its start, and where the whole of it is: a long input is read in its file.
  return INDENT + "输入的开头（全部在 " + file + "）：\n" +
         First_Lines(input, SHORT_LINES, std::string(8, ' '), width, count);
}

namespace {

// Names each hidden character of the two lines once.
std::string Hidden_Note(const Difference& d) {
  std::vector<int> codes = Hidden_Characters(d.expected);
  for (int code : Hidden_Characters(d.actual))
    if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
  if (codes.empty()) return "";
  std::string names;
  for (int code : codes)
    names += (names.empty() ? "" : "，") + Hidden_Text(code) + " 是" + Hidden_Name(code);
  return INDENT + "提示：" + names + "：看上去像空格或者根本看不见，却和普通的空格不同。\n";
}

std::string Encoding_Note(const Judgement& j) {
  if (j.output_encoding == ENCODING_GBK && j.answer_encoding == ENCODING_UTF8)
    return INDENT +
           "提示：程序输出的文字是 GBK 编码，答案是 UTF-8 编码：同样的字，字节不同。"
           "把源文件保存为 UTF-8 编码后重新编译。\n";
  if (j.output_encoding == ENCODING_UTF8 && j.answer_encoding == ENCODING_GBK)
    return INDENT +
           "提示：答案文件是 GBK 编码，程序输出的文字是 UTF-8 编码：同样的字，字节不同。\n";
  return "";
}

std::string Decimals_Note(const Judgement& j, const std::string& source_name) {
  if (!j.past_sixth) return "";
  std::string where = source_name.empty() ? "源文件" : source_name;
  return INDENT + "提示：输出和答案只有实数在小数点后第六位以后不同。如果题目允许误差，在 " +
         where + " 开头的注释里写上“误差 1e-6”。\n";
}

}  // namespace

std::string Wrong_Lines(const Judgement& j, const std::string& source_name, int width) {
  if (j.cut) return "输出超过 64 MB，后面的部分被截掉，算作答案错误。\n";
  const Difference& d = j.difference;
  std::string expected =
      INDENT + "期望：" + Line_Text(d.expected, d.expected_missing, d.column, width) + "\n";
  if (j.empty)
    return "程序没有输出任何内容。\n" + expected + Input_Lines(j.input, j.input_file, width);
  return "第 " + std::to_string(d.line) + " 行不同" +
         (d.spacing_only ? "（只有空格或制表符不同）" : "") + "：\n" + expected + INDENT +
         "实际：" + Line_Text(d.actual, d.actual_missing, d.column, width) + "\n" +
         Input_Lines(j.input, j.input_file, width) + Hidden_Note(d) + Encoding_Note(j) +
         Decimals_Note(j, source_name);
}

std::string Last_Lines(const std::string& text, int most, const std::string& indent, int width) {
  std::vector<std::string> lines;
  size_t end = text.size();
  while (end > 0 && static_cast<int>(lines.size()) < most) {
    size_t start = text.rfind('\n', end - 1);
    start = start == std::string::npos ? 0 : start + 1;
    std::string line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (!line.empty()) lines.insert(lines.begin(), line);
    end = start > 0 ? start - 1 : 0;
  }
  std::string shown;
  int room = width - static_cast<int>(indent.size()) - 1;
  for (const std::string& line : lines) shown += indent + Show_Line(line, 0, room) + "\n";
  return shown;
}
