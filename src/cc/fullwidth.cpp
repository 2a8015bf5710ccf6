#include "cc/fullwidth.h"

#include <cctype>

#include "cc/text.h"
#include "common/names.h"

namespace {

enum Scan_State { CODE, LINE_COMMENT, BLOCK_COMMENT, STRING, CHARACTER, RAW_STRING };

// A backslash that ends its line (blanks after it allowed, as GCC allows
// them): the line goes on in the next one. Gives the position of the line
// feed, or 0.
size_t Line_Continues(const std::string& text, size_t at) {
  size_t next = at + 1;
  while (next < text.size() && (text[next] == ' ' || text[next] == '\t' || text[next] == '\r'))
    ++next;
  return next < text.size() && text[next] == '\n' ? next : 0;
}

struct Scanner {
  const std::string& text;
  size_t at = 0;
  int line = 1, column = 1;
  Scan_State state = CODE;
  std::string word;       // the identifier or number just before `at`, in code
  std::string delimiter;  // a raw string's, between its quote and its '('
  std::vector<Wide_Mark> marks;
};

// Moves past `count` bytes that make one character.
void Step(Scanner& s, size_t count) {
  if (s.text[s.at] == '\n') {
    ++s.line;
    s.column = 1;
  } else {
    ++s.column;
  }
  s.at += count;
}

// The character at `at`: its length in bytes, and its code point when it is
// a full-width mark (0 otherwise).
size_t Read_Char(const Scanner& s, bool gbk, int& mark) {
  const std::string& t = s.text;
  unsigned char c = static_cast<unsigned char>(t[s.at]);
  mark = 0;
  if (c < 0x80) return 1;
  if (gbk) {
    if (c < 0x81 || c == 0xFF || s.at + 1 >= t.size()) return 1;
    mark = GBK_Mark(c, static_cast<unsigned char>(t[s.at + 1]));
    return 2;
  }
  size_t length = UTF8_Length(t, s.at);
  if (length == 0) return 1;
  int code = Code_Point(t, s.at, length);
  if (Ascii_For(code) != 0) mark = code;
  return length;
}

void Scan_Code(Scanner& s, int mark) {
  const std::string& t = s.text;
  char c = t[s.at];
  char next = s.at + 1 < t.size() ? t[s.at + 1] : '\0';
  bool number = !s.word.empty() && std::isdigit(static_cast<unsigned char>(s.word[0]));
  if (c == '/' && next == '/') {
    s.state = LINE_COMMENT;
  } else if (c == '/' && next == '*') {
    s.state = BLOCK_COMMENT;
    Step(s, 1);  // the '*' may not close it as well
  } else if (c == '"') {
    bool raw =
        s.word == "R" || s.word == "LR" || s.word == "uR" || s.word == "UR" || s.word == "u8R";
    s.state = raw ? RAW_STRING : STRING;
    if (raw) {
      size_t paren = t.find('(', s.at + 1);
      s.delimiter = paren == std::string::npos ? "" : t.substr(s.at + 1, paren - s.at - 1);
    }
  } else if (c == '\'' && !(number && Word_Char(next))) {  // 1'000 is a number
    s.state = CHARACTER;
  } else if (mark != 0) {
    s.marks.push_back({s.line, s.column, mark});
  }
  if (Word_Char(c) || (number && (c == '\'' || c == '.')))
    s.word += c;
  else
    s.word.clear();
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

std::vector<Wide_Mark> Find_Wide_Marks(const Source& source) {
  Scanner s{source.text, 0, 1, 1, CODE, {}, {}, {}};
  const std::string& t = source.text;
  // A byte-order mark is no character of the first line.
  if (t.compare(0, 3, "\xEF\xBB\xBF") == 0) s.at = 3;
  while (s.at < t.size()) {
    int mark = 0;
    size_t length = Read_Char(s, source.gbk, mark);
    char c = t[s.at];
    size_t end_of_line = c == '\\' ? Line_Continues(t, s.at) : 0;
    switch (s.state) {
      case CODE:
        Scan_Code(s, mark);
        break;
      case LINE_COMMENT:
        if (c == '\n') s.state = CODE;
        break;
      case BLOCK_COMMENT:
        if (c == '*' && s.at + 1 < t.size() && t[s.at + 1] == '/') {
          s.state = CODE;
          Step(s, 1);
        }
        break;
      case STRING:
      case CHARACTER:
        if (c == '\\' && end_of_line == 0 && s.at + 1 < t.size() && t[s.at + 1] != '\n') {
          Step(s, 1);  // an escape: the next character is the literal's
        } else if (c == (s.state == STRING ? '"' : '\'') || c == '\n') {
          s.state = CODE;  // closed, or left open at the end of its line
        }
        break;
      case RAW_STRING:
        if (c == ')' && t.compare(s.at + 1, s.delimiter.size(), s.delimiter) == 0 &&
            s.at + 1 + s.delimiter.size() < t.size() && t[s.at + 1 + s.delimiter.size()] == '"') {
          for (size_t i = 0; i <= s.delimiter.size(); ++i) Step(s, 1);
          s.state = CODE;
        }
        break;
    }
    // A line that ends in a backslash goes on in the next: a // comment or a
    // literal with it.
    if (end_of_line != 0 && s.state != RAW_STRING) {
      while (s.at < end_of_line) Step(s, 1);
      s.word.clear();
    }
    Step(s, length);
  }
  return s.marks;
}
