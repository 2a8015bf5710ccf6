#include "cc/source.h"

#include <cctype>

#include "cc/diagnostics.h"
#include "cc/text.h"
#include "common/names.h"

namespace {

// The line without a // comment and without blanks at either end.
std::string Code_Of(const std::string& line) {
  std::string code = line.substr(0, line.find("//"));
  size_t first = code.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return code.substr(first, code.find_last_not_of(" \t\r") - first + 1);
}

// The column, as the compiler counts it (a tab reaches the next multiple of
// 8), where the line's first non-blank character stands.
int First_Code_Column(const std::string& line) {
  int column = 1;
  for (size_t at = 0; at < line.size();) {
    char c = line[at];
    if (c == '\t') {
      column = (column - 1) / 8 * 8 + 9;
    } else if (c == ' ' || c == '\r') {
      ++column;
    } else {
      return column;
    }
    ++at;
  }
  return column;
}

}  // namespace

Source Make_Source(const std::string& path, const std::string& text) {
  Source source;
  source.path = path;
  source.name = Base_Name(path);
  source.text = text;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    source.lines.push_back(line);
    if (!source.gbk && !Is_UTF8(line)) {
      source.gbk = true;
      source.first_gbk_line = static_cast<int>(source.lines.size());
    }
    start = end + 1;
  }
  return source;
}

int Line_Before(const Source& source, int line, int column) {
  if (line < 1 || line > static_cast<int>(source.lines.size())) return line;
  // Code before the column on its own line is the code before it.
  if (column > First_Code_Column(source.lines[line - 1])) return line;
  for (int at = line - 1; at >= 1; --at)
    if (!Code_Of(source.lines[at - 1]).empty()) return at;
  return line;
}

int If_With_Semicolon(const Source& source, int line) {
  for (int at = line; at >= 1 && at > line - 30; --at) {
    std::string code = Code_Of(source.lines[at - 1]);
    size_t pos = code.find("if");
    if (pos == std::string::npos || code.empty() || code.back() != ';') continue;
    if ((pos > 0 && Word_Char(code[pos - 1])) ||
        (pos + 2 < code.size() && Word_Char(code[pos + 2])))
      continue;
    // The condition's parentheses, then nothing but the semicolon.
    size_t open = code.find_first_not_of(" \t", pos + 2);
    if (open == std::string::npos || code[open] != '(') continue;
    int depth = 0;
    size_t close = open;
    for (; close < code.size(); ++close) {
      if (code[close] == '(') ++depth;
      if (code[close] == ')' && --depth == 0) break;
    }
    if (close < code.size() && code.find_first_not_of(" \t", close + 1) == code.size() - 1)
      return at;
  }
  return 0;
}

int For_With_Commas(const Source& source, int line) {
  if (line < 1 || line > static_cast<int>(source.lines.size())) return 0;
  std::string code = Code_Of(source.lines[line - 1]);
  size_t at = code.find("for");
  if (at == std::string::npos || (at > 0 && Word_Char(code[at - 1]))) return 0;
  size_t open = code.find_first_not_of(" \t", at + 3);
  if (open == std::string::npos || code[open] != '(') return 0;
  int depth = 0;
  size_t close = open;
  for (; close < code.size(); ++close) {
    if (code[close] == '(') ++depth;
    if (code[close] == ')' && --depth == 0) break;
  }
  std::string inside = code.substr(open + 1, close - open - 1);
  return inside.find(';') == std::string::npos && inside.find(',') != std::string::npos ? line : 0;
}

int Main_Misspelt(const Source& source, std::string& name) {
  for (size_t i = 0; i < source.lines.size(); ++i) {
    const std::string& line = source.lines[i];
    // "int mian(" or "void Main (": a type, a name, then the parameters.
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos) continue;
    size_t type_end = at;
    while (type_end < line.size() && Word_Char(line[type_end])) ++type_end;
    std::string type = line.substr(at, type_end - at);
    if (type != "int" && type != "void" && type != "signed") continue;
    size_t start = line.find_first_not_of(" \t", type_end);
    if (start == std::string::npos || start == type_end) continue;
    size_t end = start;
    while (end < line.size() && Word_Char(line[end])) ++end;
    size_t paren = line.find_first_not_of(" \t", end);
    if (end == start || paren == std::string::npos || line[paren] != '(') continue;
    std::string word = line.substr(start, end - start);
    if (word != "main" && Edit_Distance(Lower(word), "main") <= 1) {
      name = word;
      return static_cast<int>(i + 1);
    }
  }
  return 0;
}

int First_Mention(const Source& source, const std::string& word, int line) {
  if (word.empty()) return 0;
  for (int at = 1; at < line && at <= static_cast<int>(source.lines.size()); ++at) {
    std::string code = Code_Of(source.lines[at - 1]);
    for (size_t pos = code.find(word); pos != std::string::npos; pos = code.find(word, pos + 1)) {
      bool starts = pos == 0 || !Word_Char(code[pos - 1]);
      bool ends = pos + word.size() == code.size() || !Word_Char(code[pos + word.size()]);
      if (starts && ends) return at;
    }
  }
  return 0;
}
