#include "cc/source.h"

#include <algorithm>
#include <cctype>

#include "cc/records.h"
#include "cc/text.h"

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
  std::string code;  // the text as code alone, built as it goes
  Scan_State state = CODE;
  std::string word;       // the name or number just before, in code
  std::string delimiter;  // a raw string's, between its quote and its '('
};

// The bytes of one character: two for GBK's, as many as UTF-8 says otherwise.
size_t Char_Length(const std::string& t, size_t at, bool gbk) {
  unsigned char c = static_cast<unsigned char>(t[at]);
  if (c < 0x80) return 1;
  if (gbk) return c >= 0x81 && c != 0xFF && at + 1 < t.size() ? 2 : 1;
  size_t length = UTF8_Length(t, at);
  return length == 0 ? 1 : length;
}

// Moves into a comment or a literal at `at`, or past a character of code;
// gives how many bytes it took when more than the character.
size_t Scan_Code(Scanner& s, size_t at) {
  const std::string& t = s.text;
  char c = t[at];
  char next = at + 1 < t.size() ? t[at + 1] : '\0';
  bool number = !s.word.empty() && std::isdigit(static_cast<unsigned char>(s.word[0]));
  if (c == '/' && next == '/') {
    s.state = LINE_COMMENT;
  } else if (c == '/' && next == '*') {
    s.state = BLOCK_COMMENT;
    s.word.clear();
    return 2;  // the '*' may not close it as well
  } else if (c == '"') {
    bool raw =
        s.word == "R" || s.word == "LR" || s.word == "uR" || s.word == "UR" || s.word == "u8R";
    s.state = raw ? RAW_STRING : STRING;
    if (raw) {
      size_t paren = t.find('(', at + 1);
      s.delimiter = paren == std::string::npos ? "" : t.substr(at + 1, paren - at - 1);
    }
  } else if (c == '\'' && !(number && Word_Char(next))) {  // 1'000 is a number
    s.state = CHARACTER;
  }
  if (Word_Char(c) || (number && (c == '\'' || c == '.')))
    s.word += c;
  else
    s.word.clear();
  return 1;
}

// How many bytes the literal or comment state takes at `at`, ending it where it ends.
size_t Scan_Other(Scanner& s, size_t at) {
  const std::string& t = s.text;
  char c = t[at];
  switch (s.state) {
    case LINE_COMMENT:
      if (c == '\n') s.state = CODE;
      return 1;
    case BLOCK_COMMENT:
      if (c == '*' && at + 1 < t.size() && t[at + 1] == '/') {
        s.state = CODE;
        return 2;
      }
      return 1;
    case STRING:
    case CHARACTER:
      if (c == '\\' && Line_Continues(t, at) == 0 && at + 1 < t.size() && t[at + 1] != '\n')
        return 2;  // an escape: the next character is the literal's
      if (c == (s.state == STRING ? '"' : '\'') || c == '\n') s.state = CODE;
      return 1;
    default:  // RAW_STRING
      if (c == ')' && t.compare(at + 1, s.delimiter.size(), s.delimiter) == 0 &&
          at + 1 + s.delimiter.size() < t.size() && t[at + 1 + s.delimiter.size()] == '"') {
        s.state = CODE;
        return s.delimiter.size() + 2;
      }
      return 1;
  }
}

// The text with comments and the insides of literals as blanks; line ends,
// quotes and code kept byte for byte. `text_line` gets the first line with a
// character beyond ASCII inside a literal: text the program will print.
std::string Code_Text(const std::string& text, bool gbk, int& text_line) {
  Scanner s{text, std::string(text.size(), ' '), CODE, "", ""};
  int line = 1;
  text_line = 0;
  size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a byte-order mark is no code
  while (at < text.size()) {
    Scan_State before = s.state;
    size_t length = Char_Length(text, at, gbk);
    if (before == CODE) {
      length = std::max(length, Scan_Code(s, at));
      // The quote that opens a literal is code; so is all of a character of code.
      if (s.state == CODE || s.state == STRING || s.state == CHARACTER || s.state == RAW_STRING)
        s.code.replace(at, length, text, at, length);
    } else {
      if (text_line == 0 && before != LINE_COMMENT && before != BLOCK_COMMENT &&
          static_cast<unsigned char>(text[at]) >= 0x80)
        text_line = line;
      length = std::max(length, Scan_Other(s, at));
      if (s.state == CODE && before != LINE_COMMENT && before != BLOCK_COMMENT)
        s.code[at + length - 1] = text[at + length - 1];  // the closing quote
    }
    // A line that ends in a backslash goes on in the next: a // comment or a
    // literal with it.
    size_t end_of_line = text[at] == '\\' && s.state != RAW_STRING ? Line_Continues(text, at) : 0;
    if (end_of_line != 0) length = end_of_line + 1 - at;
    for (size_t i = at; i < at + length && i < text.size(); ++i)
      if (text[i] == '\n') {
        s.code[i] = '\n';
        ++line;
      }
    at += length;
  }
  return s.code;
}

}  // namespace

Source Make_Source(const std::string& path, const std::string& text) {
  Source source;
  source.path = path;
  source.name = Base_Name(path);
  source.text = text;
  source.lines = Split_Lines(text);
  for (size_t i = 0; i < source.lines.size() && !source.gbk; ++i)
    if (!Is_UTF8(source.lines[i])) {
      source.gbk = true;
      source.first_gbk_line = static_cast<int>(i + 1);
    }
  int text_line = 0;
  source.code = Split_Lines(Code_Text(text, source.gbk, text_line));
  if (source.gbk) source.gbk_text_line = text_line;
  source.code.resize(source.lines.size());
  return source;
}

std::string Code_Of(const Source& source, int line) {
  if (line < 1 || line > static_cast<int>(source.code.size())) return "";
  const std::string& code = source.code[line - 1];
  size_t first = code.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return code.substr(first, code.find_last_not_of(" \t\r") - first + 1);
}

int Code_Line_Before(const Source& source, int line) {
  for (int at = line - 1; at >= 1; --at)
    if (!Code_Of(source, at).empty()) return at;
  return 0;
}

int Code_Line_After(const Source& source, int line) {
  for (int at = line + 1; at <= static_cast<int>(source.code.size()); ++at)
    if (!Code_Of(source, at).empty()) return at;
  return 0;
}

int First_Mention(const Source& source, const std::string& name, int until) {
  for (int line = 1; line <= until && line <= static_cast<int>(source.code.size()); ++line)
    if (Find_Name(source.code[line - 1], name) != std::string::npos) return line;
  return 0;
}

int Indent_Of(const Source& source, int line) {
  if (Code_Of(source, line).empty()) return -1;
  int column = 0;
  for (char c : source.code[line - 1]) {
    if (c == '\t')
      column = column / 8 * 8 + 8;
    else if (c == ' ' || c == '\r')
      ++column;
    else
      break;
  }
  return column;
}

size_t Byte_At(const Source& source, int line, int column) {
  if (line < 1 || line > static_cast<int>(source.lines.size())) return 0;
  const std::string& text = source.lines[line - 1];
  int at_column = 1;
  size_t at = 0;
  while (at < text.size() && at_column < column) {
    size_t length = Char_Length(text, at, source.gbk);
    if (text[at] == '\t')
      at_column = (at_column - 1) / 8 * 8 + 9;
    else if (length == 1)
      ++at_column;
    else
      at_column += source.gbk ? 2 : Display_Width(text.substr(at, length));
    at += length;
  }
  return at;
}

size_t Find_Name(const std::string& code, const std::string& word, size_t from) {
  if (word.empty()) return std::string::npos;
  for (size_t at = code.find(word, from); at != std::string::npos; at = code.find(word, at + 1)) {
    bool starts = at == 0 || !Word_Char(code[at - 1]);
    bool ends = at + word.size() >= code.size() || !Word_Char(code[at + word.size()]);
    if (starts && ends) return at;
  }
  return std::string::npos;
}

std::string Name_At(const std::string& code, size_t at) {
  size_t end = at;
  while (end < code.size() && Word_Char(code[end])) ++end;
  return code.substr(at, end - at);
}
