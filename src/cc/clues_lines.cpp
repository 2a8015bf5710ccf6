// Clues in the shape of a statement: where a ';' or a '<<' is missing, or
// one too many stands.
#include <cctype>

#include "cc/clues.h"
#include "cc/pattern.h"
#include "cc/structure.h"

namespace {

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The code of the message's line before the position it points at.
std::string Code_Before(const Clue_Input& in) {
  if (in.line < 1 || in.line > static_cast<int>(in.source.code.size())) return "";
  return Trimmed(in.source.code[in.line - 1].substr(0, in.at));
}

// The code of the message's line from the position it points at.
std::string Code_From(const Clue_Input& in) {
  if (in.line < 1 || in.line > static_cast<int>(in.source.code.size())) return "";
  const std::string& code = in.source.code[in.line - 1];
  return in.at < code.size() ? Trimmed(code.substr(in.at)) : "";
}

// The item that starts the text from the position: a name, a number, or a
// literal with its quotes, as the line shows it.
std::string Item_At(const Clue_Input& in) {
  const std::string& text = in.source.lines[in.line - 1];
  size_t at = text.find_first_not_of(" \t", in.at);
  if (at == std::string::npos) return "";
  if (text[at] == '"' || text[at] == '\'') {
    size_t close = text.find(text[at], at + 1);
    return close == std::string::npos ? "" : text.substr(at, close - at + 1);
  }
  return Name_At(text, at);
}

// Where the parenthesis after the word `word` of `code` closes; npos when
// the word is not there or has no parenthesis after it.
size_t After_Header(const std::string& code, const std::string& word) {
  size_t at = Find_Name(code, word);
  if (at == std::string::npos) return std::string::npos;
  size_t open = code.find_first_not_of(" \t", at + word.size());
  if (open == std::string::npos || code[open] != '(') return std::string::npos;
  return Closing_Parenthesis(code, open);
}

}  // namespace

bool Line_Before(const Clue_Input& in, Finding& f) {
  f.line = Code_Before(in).empty() ? Code_Line_Before(in.source, in.line) : in.line;
  if (f.line <= 0) return false;
  // A ";" mends neither a bracket left open nor the head of a loop or an if.
  const std::string& code = in.source.code[f.line - 1];
  int open = 0;
  for (char c : code) open += c == '(' ? 1 : c == ')' ? -1 : 0;
  std::string head = First_Name(Code_Of(in.source, f.line));
  if (open > 0 || !In_List("for while if switch", head)) return open <= 0;
  size_t close = After_Header(code, head);
  bool alone =
      close == std::string::npos || code.find_first_not_of(" \t\r", close + 1) == std::string::npos;
  return !alone && (f.line != in.line || in.at > close);
}

bool For_Commas(const Clue_Input& in, Finding& f) {
  std::string code = Code_Of(in.source, in.line);
  size_t close = After_Header(code, "for");
  if (close == std::string::npos) return false;
  std::string inside = code.substr(0, close);
  inside = inside.substr(inside.find('(') + 1);
  f.line = in.line;
  return inside.find(';') == std::string::npos && inside.find(',') != std::string::npos;
}

bool Else_Condition(const Clue_Input& in, Finding& f) {
  std::string code = Code_Of(in.source, in.line);
  size_t at = Find_Name(code, "else");
  if (at == std::string::npos) return false;
  size_t next = code.find_first_not_of(" \t", at + 4);
  f.line = in.line;
  return next != std::string::npos && code[next] == '(';
}

bool Missing_Operator(const Clue_Input& in, const char* stream, const char* op, Finding& f) {
  std::string before = Code_Before(in);
  std::string from = Code_From(in);
  std::string start = before.compare(0, 5, "std::") == 0 ? before.substr(5) : before;
  if (from.empty() || before.empty() || First_Name(start) != stream) return false;
  if (before.find(op) == std::string::npos || before.find(';') != std::string::npos) return false;
  // An item ends right before it and another starts at it.
  char last = before.back(), next = from[0];
  bool ends = Word_Char(last) || last == ')' || last == ']' || last == '"' || last == '\'';
  bool starts = Word_Char(next) || next == '"' || next == '\'' || next == '(';
  f.line = in.line;
  f.values["word"] = Item_At(in);
  return ends && starts && !f.values["word"].empty();
}

bool No_Parentheses(const Clue_Input& in, Finding& f) {
  std::string before = Code_Before(in);
  for (const char* word : {"if", "while", "for", "switch"}) {
    size_t at = before.rfind(word);
    if (at != std::string::npos && at + std::string(word).size() == before.size() &&
        (at == 0 || !Word_Char(before[at - 1]))) {
      f.line = in.line;
      f.values["word"] = word;
      return true;
    }
  }
  return false;
}

bool Header_Semicolon(const Clue_Input& in, Finding& f) {
  if (Code_Before(in).size() > 0) return false;
  f.line = Code_Line_Before(in.source, in.line);
  std::string code = Code_Of(in.source, f.line);
  size_t open = code.find('(');
  return open != std::string::npos && code.size() >= 2 &&
         code.compare(code.size() - 2, 2, ");") == 0 &&
         Closing_Parenthesis(code, open) == code.size() - 2 && Indent_Of(in.source, f.line) == 0;
}

bool Struct_End(const Clue_Input& in, Finding& f) {
  std::string code = Code_Of(in.source, in.line);
  f.line = code[0] == '}' ? in.line : Code_Line_Before(in.source, in.line);
  if (Code_Of(in.source, f.line).compare(0, 1, "}") != 0 ||
      Code_Of(in.source, f.line).back() == ';')
    return false;
  int open = Block_Start(in.source, f.line);
  std::string head = Code_Of(in.source, Code_Of(in.source, open) == "{" ? open - 1 : open);
  return First_Name(head) == "struct" || First_Name(head) == "class";
}

bool Clause(const Clue_Input& in, bool semicolon, Finding& f) {
  std::string word = in.candidate.words.empty() ? "" : in.candidate.words[0];
  std::string code = Code_Of(in.source, in.line);
  f.line = in.line;
  size_t close = After_Header(code, word);
  if (word == "else" && (close = Find_Name(code, "else")) != std::string::npos) close += 3;
  if (close == std::string::npos) return false;
  size_t next = code.find_first_not_of(" \t", close + 1);
  bool ends = next != std::string::npos && code[next] == ';';
  return semicolon == ends;
}

bool If_Of_Else(const Clue_Input& in, bool semicolon, Finding& f) {
  f.line = If_Of_Else(in.source, in.line);
  std::string code = Code_Of(in.source, f.line);
  size_t close = After_Header(code, "if");
  if (close == std::string::npos) return false;
  size_t next = code.find_first_not_of(" \t", close + 1);
  if (semicolon) return next != std::string::npos && code[next] == ';' && next + 1 == code.size();
  if (next != std::string::npos) return false;  // its statement, or its '{', on its own line
  int statements = 0;
  for (int at = f.line + 1; at < in.line; ++at) {
    std::string line = Code_Of(in.source, at);
    statements += !line.empty() && line.back() == ';' ? 1 : 0;
    if (!line.empty() && (line[0] == '{' || line[0] == '}')) return false;
  }
  return statements >= 2;
}

bool If_Empty(const Clue_Input& in, Finding& f) {
  f.line = If_Of_Else(in.source, in.line);
  std::string code = Code_Of(in.source, f.line);
  size_t close = After_Header(code, "if");
  return close != std::string::npos && close + 1 == code.size() &&
         Code_Line_After(in.source, f.line) == in.line &&
         First_Name(Code_Of(in.source, in.line)) == "else";
}

bool Quote_In_String(const Clue_Input& in, Finding& f) {
  // In the code alone a literal is its quotes with blanks between: a closing
  // quote with a name or a format right after it shows a quote that ended
  // the string early.
  std::string code = Code_Of(in.source, in.line);
  bool inside = false;
  for (size_t at = 0; at < code.size(); ++at) {
    if (code[at] == '\'' && at + 2 < code.size() && code[at + 2] == '\'') at += 2;
    if (code[at] != '"') continue;
    inside = !inside;
    char next = at + 1 < code.size() ? code[at + 1] : ' ';
    if (!inside && (Word_Char(next) || next == '%' || next == '\\')) {
      f.line = in.line;
      return true;
    }
  }
  return false;
}

bool Last_Value(const Clue_Input& in, Finding& f) {
  f.line = Code_Line_Before(in.source, in.line);
  std::string code = Code_Of(in.source, f.line);
  std::string first = First_Name(code);
  static const char* const STATEMENTS =
      " return break continue if else for while do switch case cout cin printf scanf puts int long "
      "double char bool float string auto unsigned const static void ";
  if (code.empty() || code.back() != ';' ||
      std::string(STATEMENTS).find(" " + first + " ") != std::string::npos)
    return false;
  bool value = false;
  for (size_t at = 0; at < code.size(); ++at) {
    char c = code[at], next = at + 1 < code.size() ? code[at + 1] : ' ';
    if (c == '=' && next != '=' &&
        (at == 0 || std::string("=!<>").find(code[at - 1]) == std::string::npos))
      return false;  // an assignment
    bool twice = next == c || (c == '-' && next == '>');
    if (std::string("+-*/%").find(c) != std::string::npos && !twice) value = true;
    if (twice) ++at;
  }
  return value;
}

bool Cin_Comma(const Clue_Input& in, Finding& f) {
  std::string code = Code_Of(in.source, in.line);
  size_t at = Find_Name(code, "cin");
  f.line = in.line;
  return at != std::string::npos && code.find(">>", at) != std::string::npos &&
         code.find(',', at) != std::string::npos;
}

size_t Closing_Parenthesis(const std::string& code, size_t open) {
  int depth = 0;
  for (size_t at = open; at < code.size(); ++at) {
    if (code[at] == '(') ++depth;
    if (code[at] == ')' && --depth == 0) return at;
  }
  return std::string::npos;
}

std::string First_Name(const std::string& code) {
  size_t at = code.find_first_not_of(" \t");
  return at == std::string::npos ? "" : Name_At(code, at);
}
