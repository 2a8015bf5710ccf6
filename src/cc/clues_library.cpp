// Clues that hold only where the source shows the cause: a fault inside the
// library traced back to the user's line, a macro whose definition is wrong,
// a name declared nowhere, a bracket really left open.
#include <cctype>

#include "cc/catalogue.h"
#include "cc/clues.h"
#include "cc/pattern.h"

namespace {

// The macro a line of code uses among those the source defines without
// parameters, with its definition's line and body; false for none.
bool Macro_Used(const Source& source, int line, std::string& name, int& defined,
                std::string& body) {
  std::string code = Code_Of(source, line);
  for (int at = 1; at <= static_cast<int>(source.code.size()); ++at) {
    std::string define = Code_Of(source, at);
    if (define.compare(0, 7, "#define") != 0) continue;
    size_t start = define.find_first_not_of(" \t", 7);
    std::string word = start == std::string::npos ? "" : Name_At(define, start);
    size_t after = start + word.size();
    if (word.empty() || (after < define.size() && define[after] == '(')) continue;
    bool here = at == line || Find_Name(code, word) != std::string::npos;
    if (!here) continue;
    name = word;
    defined = at;
    size_t first = define.find_first_not_of(" \t", after);
    body = first == std::string::npos ? "" : define.substr(first);
    return true;
  }
  return false;
}

// The type a library's message names, without "const" and references.
std::string Bare_Type(std::string type) {
  if (type.compare(0, 6, "const ") == 0) type = type.substr(6);
  while (!type.empty() && (type.back() == '&' || type.back() == ' ')) type.pop_back();
  return type;
}

}  // namespace

bool Macro_Fault(const Clue_Input& in, Finding& f) {
  std::string name, body;
  int defined = 0;
  if (!Macro_Used(in.source, in.line, name, defined, body) || body.empty()) return false;
  if (body.back() == ';')
    f.values["found"] = ";";
  else if (body[0] == '=' && (body.size() < 2 || body[1] != '='))
    f.values["found"] = "=";
  else
    return false;
  f.line = defined;
  f.values["word"] = name;
  return true;
}

bool Declared_Nowhere(const Clue_Input& in, Finding& f) {
  const std::string& name = Name_Of(in);
  // A standard name not found means a header or a broken line above, not a missing declaration.
  if (!Header_Of(name).empty()) return false;
  // Every line that holds the name, comments and #define among them, must be
  // a line where the compiler found it undeclared.
  for (int line = 1; line <= static_cast<int>(in.source.lines.size()); ++line) {
    if (Find_Name(in.source.lines[line - 1], name) == std::string::npos) continue;
    bool reported = false;
    for (size_t other = 0; other < in.records.size() && !reported; ++other)
      reported = in.records[other].line == line && in.records[other].shape == in.record.shape &&
                 !in.records[other].words.empty() && in.records[other].words[0] == name;
    if (!reported) return false;
  }
  f.line = in.line;
  return true;
}

bool Comment_Swallowed(const Clue_Input& in, Finding& f) {
  const std::string& name = Name_Of(in);
  for (int line = 2; line < in.line; ++line) {
    const std::string& above = in.source.lines[line - 2];
    size_t end = above.find_last_not_of(" \t\r");
    if (Find_Name(in.source.lines[line - 1], name) == std::string::npos ||
        Find_Name(in.source.code[line - 1], name) != std::string::npos ||
        end == std::string::npos || above[end] != '\\' || above.find("//") == std::string::npos)
      continue;
    f.line = line - 1;
    return true;
  }
  return false;
}

bool Unbalanced(const Clue_Input& in, Finding& f) {
  const std::string& close = Name_Of(in);
  char open = close == ")" ? '(' : close == "]" ? '[' : close == "}" ? '{' : 0;
  std::string code = Code_Of(in.source, in.line);
  int balance = 0;
  for (char c : code) balance += c == open ? 1 : c == close[0] ? -1 : 0;
  f.line = in.line;
  return open != 0 && !code.empty() && code[0] != '#' && balance > 0;
}

bool After_String(const Clue_Input& in, Finding& f) {
  const std::string& code = in.source.code[in.line - 1];
  size_t before = in.at == 0 ? std::string::npos : code.find_last_not_of(" \t", in.at - 1);
  f.line = in.line;
  return before != std::string::npos && code[before] == '"';
}

bool Member_Called(const Clue_Input& in, Finding& f) {
  const std::string& code = in.source.code[in.line - 1];
  size_t paren = code.find('(', in.at);
  size_t end = paren == std::string::npos || paren == 0 ? std::string::npos
                                                        : code.find_last_not_of(" \t", paren - 1);
  if (end == std::string::npos || !Word_Char(code[end])) return false;
  size_t start = end;
  while (start > 0 && Word_Char(code[start - 1])) --start;
  f.line = in.line;
  f.values["found"] = code.substr(start, end - start + 1);
  return start > 0 &&
         (code[start - 1] == '.' || (start > 1 && code.compare(start - 2, 2, "->") == 0));
}

bool Value_Missing(const Clue_Input& in, Clue clue, Finding& f) {
  const std::string& code = in.source.code[in.line - 1];
  size_t end = in.at == 0 ? std::string::npos : code.find_last_not_of(" \t", in.at - 1);
  if (end == std::string::npos) return false;
  f.line = in.line;
  if (clue == OPERAND_MISSING)
    return std::string("+-*/%=").find(code[end]) != std::string::npos && end > 0 &&
           code[end - 1] != code[end];
  // A template's name and its arguments: "greater<int>".
  int depth = 0;
  size_t at = end + 1;
  while (at-- > 0) {
    depth += code[at] == '>' ? 1 : code[at] == '<' ? -1 : 0;
    if (depth == 0) break;
  }
  if (code[end] != '>' || at == std::string::npos || at == 0 || !Word_Char(code[at - 1]))
    return false;
  size_t start = at;
  while (start > 0 && Word_Char(code[start - 1])) --start;
  f.values["found"] = code.substr(start, end - start + 1);
  return true;
}

bool Value_Called(const Clue_Input& in, Finding& f) {
  const std::string& code = in.source.code[in.line - 1];
  size_t paren = code.find('(', in.at);
  if (paren == std::string::npos) return false;
  size_t before = code.find_last_not_of(" \t", paren == 0 ? 0 : paren - 1);
  f.line = in.line;
  return paren > 0 && before != std::string::npos &&
         (std::isdigit(static_cast<unsigned char>(code[before])) || code[before] == ')');
}

bool From_Library(const Clue_Input& in, Clue clue, Finding& f) {
  if (in.record.library_file.empty()) return false;
  f.line = in.line;
  if (in.candidate.words.size() >= 2) f.values["type"] = Bare_Type(in.candidate.words[1]);
  if (clue == LIBRARY_COMPARATOR)
    return in.record.library_file.find("predefined_ops") != std::string::npos;
  if (clue == LIBRARY_TWO_ONLY) {
    std::string code = Code_Of(in.source, in.line);
    for (const char* call : {"max", "min"}) {
      size_t at = Find_Name(code, call);
      if (at != std::string::npos && code.find('(', at) == at + 3) {
        f.values["found"] = call;
        return true;
      }
    }
    return false;
  }
  // A "<" the user wrote without const: "bool operator<(const T &o) {".
  bool written = false, without_const = false;
  for (const std::string& code : in.source.code) {
    size_t at = code.find("operator<");
    if (at == std::string::npos || code.compare(at, 10, "operator<<") == 0) continue;
    size_t open = code.find('(', at);
    size_t close = open == std::string::npos ? open : Closing_Parenthesis(code, open);
    if (close == std::string::npos) continue;
    written = true;
    without_const = without_const || Find_Name(code.substr(close), "const") == std::string::npos;
  }
  return clue == LIBRARY_LESS_CONST ? without_const : !written;
}

bool Not_Standard_Member(const Clue_Input& in, Finding& f) {
  f.line = in.line;
  return in.candidate.words.size() >= 2 && !In_List(STANDARD_MEMBERS, in.candidate.words[1]);
}
