#include "cc/structure.h"

#include <vector>

namespace {

struct Pair {
  int open;   // the line of the "{"
  int close;  // the line of its "}"; 0 when it never closes
};

struct Braces {
  std::vector<Pair> pairs;  // in the order their "{" stand
  int extra_closes = 0;     // "}" with no "{" left to close
  std::vector<int> extra_lines;
};

Braces Read_Braces(const Source& source) {
  Braces braces;
  std::vector<size_t> open;  // indices into pairs of the "{" still open
  for (size_t i = 0; i < source.code.size(); ++i)
    for (char c : source.code[i]) {
      if (c == '{') {
        open.push_back(braces.pairs.size());
        braces.pairs.push_back({static_cast<int>(i + 1), 0});
      } else if (c == '}' && open.empty()) {
        ++braces.extra_closes;
        braces.extra_lines.push_back(static_cast<int>(i + 1));
      } else if (c == '}') {
        braces.pairs[open.back()].close = static_cast<int>(i + 1);
        open.pop_back();
      }
    }
  return braces;
}

int Unclosed_Count(const Braces& braces) {
  int count = 0;
  for (const Pair& pair : braces.pairs) count += pair.close == 0 ? 1 : 0;
  return count;
}

// A line where a block indented by `indent` may end without "}": labels.
bool Label_Line(const std::string& code) {
  for (const char* label : {"case ", "default", "public", "private", "protected"})
    if (code.compare(0, std::string(label).size(), label) == 0) return true;
  return code[0] == '#';
}

// True when the block opened on `line` is indented and its code comes back
// to the indentation of `line` with something other than "}".
bool Left_Open(const Source& source, int line) {
  int indent = Indent_Of(source, line);
  int last = static_cast<int>(source.code.size());
  int first = line + 1;
  while (first <= last && Code_Of(source, first).empty()) ++first;
  if (first > last || Indent_Of(source, first) <= indent) return false;
  for (int at = first; at <= last; ++at) {
    std::string code = Code_Of(source, at);
    if (code.empty() || Label_Line(code) || Indent_Of(source, at) > indent) continue;
    // Its "}" stands at its own indentation; less, and the code went past it.
    return code[0] != '}' || Indent_Of(source, at) < indent;
  }
  return false;
}

int Balance(const Source& source, int line, char open, char close) {
  std::string code = Code_Of(source, line);
  if (code.empty() || code[0] == '#' || (code.back() != ';' && code.back() != '{')) return 0;
  std::string before = Code_Of(source, Code_Line_Before(source, line));
  if (!before.empty() && before[0] != '#' &&
      std::string(";{}:").find(before.back()) == std::string::npos)
    return 0;
  int balance = 0;
  for (char c : code) balance += c == open ? 1 : c == close ? -1 : 0;
  return balance;
}

}  // namespace

int Open_Parentheses(const Source& source, int line) {
  return Balance(source, line, '(', ')');
}

int Open_Brackets(const Source& source, int line) {
  return Balance(source, line, '[', ']');
}

int Region_End(const Source& source, int line) {
  int last = static_cast<int>(source.code.size());
  int depth = 0;
  for (int at = 1; at <= last; ++at) {
    bool inside = depth > 0;
    for (char c : source.code[at - 1]) depth += c == '{' ? 1 : c == '}' ? -1 : 0;
    if (at < line) continue;
    if (at == line && !inside) return last;
    if (depth <= 0) return at;
  }
  return last;
}

int Unclosed_Brace(const Source& source) {
  Braces braces = Read_Braces(source);
  int missing = Unclosed_Count(braces) - braces.extra_closes;
  if (missing <= 0) return 0;
  std::vector<int> found;
  for (const Pair& pair : braces.pairs)
    if (pair.close != pair.open && Left_Open(source, pair.open) &&
        (found.empty() || found.back() != pair.open))
      found.push_back(pair.open);
  return static_cast<int>(found.size()) == missing ? found.front() : 0;
}

int Extra_Brace(const Source& source) {
  Braces braces = Read_Braces(source);
  int extra = braces.extra_closes - Unclosed_Count(braces);
  if (extra <= 0) return 0;
  std::vector<int> found;
  for (const Pair& pair : braces.pairs)
    if (pair.close != 0 && pair.close != pair.open && Code_Of(source, pair.close)[0] == '}' &&
        Indent_Of(source, pair.close) > Indent_Of(source, pair.open))
      found.push_back(pair.close);
  return static_cast<int>(found.size()) == extra ? found.front() : 0;
}

int If_Of_Else(const Source& source, int line) {
  int indent = Indent_Of(source, line);
  for (int at = line - 1; at >= 1 && at > line - 30; --at) {
    std::string code = Code_Of(source, at);
    if (code.empty() || Indent_Of(source, at) > indent) continue;
    if (Find_Name(code, "if") != std::string::npos) return at;
    if (Indent_Of(source, at) < indent) return 0;
  }
  return 0;
}

int Block_Start(const Source& source, int line) {
  int start = 0;
  for (const Pair& pair : Read_Braces(source).pairs)
    if (pair.open <= line && (pair.close == 0 || pair.close >= line) && pair.open > start)
      start = pair.open;
  return start;
}

int Block_End(const Source& source, int start) {
  for (const Pair& pair : Read_Braces(source).pairs)
    if (pair.open == start) return pair.close;
  return 0;
}
