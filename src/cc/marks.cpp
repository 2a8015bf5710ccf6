#include "cc/marks.h"

#include <cstdio>

#include "cc/text.h"

namespace {

// The character at `at` of a line: its length in bytes and its code point
// (for GBK, only the punctuation GBK_Mark knows; 0 for the rest).
size_t Read_Char(const std::string& line, size_t at, bool gbk, int& code) {
  unsigned char c = static_cast<unsigned char>(line[at]);
  code = c;
  if (c < 0x80) return 1;
  code = 0;
  if (gbk) {
    if (c < 0x81 || c == 0xFF || at + 1 >= line.size()) return 1;
    code = GBK_Mark(c, static_cast<unsigned char>(line[at + 1]));
    return 2;
  }
  size_t length = UTF8_Length(line, at);
  if (length == 0) return 1;
  code = Code_Point(line, at, length);
  return length;
}

// The name the character at bytes [at, end) stands inside: the name
// characters on both sides of it, when there are some on each.
std::string Name_Around(const std::string& line, size_t at, size_t end) {
  size_t start = at, stop = end;
  while (start > 0 && Word_Char(line[start - 1])) --start;
  while (stop < line.size() && Word_Char(line[stop])) ++stop;
  if (start == at || stop == end) return "";
  return line.substr(start, at - start) + line.substr(end, stop - end);
}

}  // namespace

char Ascii_For(int code) {
  if (code >= 0xFF01 && code <= 0xFF5E) return static_cast<char>(code - 0xFEE0);
  switch (code) {
    case 0x3000:
      return ' ';
    case 0x3001:
      return ',';  // 、 lists things where C++ wants a comma
    case 0x3002:
      return '.';
    case 0x300A:
      return '<';
    case 0x300B:
      return '>';
    case 0x3010:
      return '[';
    case 0x3011:
      return ']';
    case 0x2018:
    case 0x2019:
      return '\'';
    case 0x201C:
    case 0x201D:
      return '"';
    default:
      return 0;
  }
}

std::string Invisible_Name(int code) {
  char number[16];
  std::snprintf(number, sizeof number, "（U+%04X）", static_cast<unsigned>(code));
  switch (code) {
    case 0x00A0:
      return std::string("不间断空格") + number;
    case 0x200B:
      return std::string("零宽空格") + number;
    case 0x200C:
    case 0x200D:
    case 0x2060:
      return std::string("零宽字符") + number;
    case 0xFEFF:
      return std::string("零宽不换行空格（U+FEFF，也叫 BOM）");
    default:
      if ((code >= 0x2002 && code <= 0x200A) || code == 0x202F || code == 0x205F)
        return std::string("特殊空格") + number;
      return "";
  }
}

std::vector<Mark> Find_Marks(const Source& source) {
  std::vector<Mark> marks;
  for (size_t i = 0; i < source.lines.size() && i < source.code.size(); ++i) {
    const std::string& line = source.lines[i];
    const std::string& code = source.code[i];  // blanks where comments and literals are
    int column = 1;
    // A byte-order mark before the first line is no character of it.
    size_t at = i == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (; at < line.size(); ++column) {
      int point = 0;
      size_t length = Read_Char(line, at, source.gbk, point);
      bool in_code = code.compare(at, length, line, at, length) == 0;
      bool invisible = !Invisible_Name(point).empty();
      if (in_code && point >= 0x80 && (invisible || Ascii_For(point) != 0))
        marks.push_back({static_cast<int>(i + 1), column, point, invisible,
                         Name_Around(code, at, at + length)});
      at += length;
    }
  }
  return marks;
}
