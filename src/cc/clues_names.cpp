// Clues for a name the compiler does not know, in the order a beginner's
// slips are likely: a name one slip away from a known one, text that should
// be in quotes, a function defined further down, a missing header, a name
// declared where it cannot be seen.
#include <cctype>
#include <set>

#include "cc/catalogue.h"
#include "cc/clues.h"
#include "cc/pattern.h"
#include "cc/structure.h"
#include "cc/text.h"

namespace {

// Every name in the code of the user's files, and the known names of C++.
std::set<std::string> Names_Around(const Clue_Input& in) {
  std::set<std::string> names(KNOWN_NAMES, KNOWN_NAMES + KNOWN_NAME_COUNT);
  for (const Source& source : in.sources)
    for (const std::string& code : source.code)
      for (size_t at = 0; at < code.size();) {
        std::string name = Name_At(code, at);
        if (!name.empty() && !std::isdigit(static_cast<unsigned char>(name[0]))) names.insert(name);
        at += name.empty() ? 1 : name.size();
      }
  return names;
}

// 1 for l and 0 for o, the slips that look alike.
std::string Looks(std::string name) {
  for (char& c : name) c = c == '1' ? 'l' : c == '0' ? 'o' : c == 'O' ? 'o' : c;
  return name;
}

std::string Lookalike_Words(const std::string& typed, const std::string& meant) {
  for (size_t i = 0; i < typed.size() && i < meant.size(); ++i) {
    if (Lower(typed.substr(i, 1)) == Lower(meant.substr(i, 1))) continue;
    std::string what = typed[i] == '1'   ? "数字 1"
                       : typed[i] == '0' ? "数字 0"
                                         : std::string("字母 ") + typed[i];
    std::string should = meant[i] == 'l'   ? "小写字母 l"
                         : meant[i] == 'o' ? "字母 o"
                                           : std::string("数字 ") + meant[i];
    bool capitals = Lower(typed) != typed || Lower(meant) != meant;
    return "这里的" + what + " 应该是" + should + (capitals ? "，大小写也要一样。" : "。");
  }
  return "";
}

// True when one slip turns `a` into `b` by a letter added, dropped, or two
// swapped: in a short name a letter changed for another is as likely a name
// of its own ("ans", "foo").
bool Slip_Of_Order(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return true;
  for (size_t i = 0; i + 1 < a.size(); ++i)
    if (a[i] != b[i]) return a[i] == b[i + 1] && a[i + 1] == b[i];
  return false;
}

// The one name within `most` slips of `name`; "" for none, or more than one.
std::string Nearest_Name(const std::string& name, const std::set<std::string>& names, int most) {
  std::string best;
  int best_distance = most + 1, ties = 0;
  for (const std::string& other : names) {
    if (other == name || Lower(other) == Lower(name)) continue;
    int distance = Edit_Distance(name, other);
    if (distance < best_distance) {
      best = other;
      best_distance = distance;
      ties = 0;
    } else if (distance == best_distance) {
      ++ties;
    }
  }
  return ties == 0 ? best : "";
}

// GCC's own "did you mean", when it is near enough to trust.
std::string Suggested(const Clue_Input& in, const std::set<std::string>& names) {
  if (in.candidate.words.size() < 2) return "";
  const std::string& name = Name_Of(in);
  const std::string& suggestion = in.candidate.words[1];
  int distance = Edit_Distance(name, suggestion);
  bool known = names.count(suggestion) > 0;
  return distance <= 1 || (distance == 2 && name.size() >= 6 && known) ? suggestion : "";
}

// How many times the name stands in the code of the user's files.
int Mentions(const Clue_Input& in, const std::string& name) {
  int count = 0;
  for (const Source& source : in.sources)
    for (const std::string& code : source.code)
      for (size_t at = Find_Name(code, name); at != std::string::npos;
           at = Find_Name(code, name, at + 1))
        ++count;
  return count;
}

// True when every mention of the name in the code is printed: an item of a
// cout, or what printf or puts is given.
bool Only_Printed(const Source& source, const std::string& name) {
  for (const std::string& code : source.code)
    for (size_t at = Find_Name(code, name); at != std::string::npos;
         at = Find_Name(code, name, at + 1)) {
      std::string before = code.substr(0, at);
      before = before.substr(0, before.find_last_not_of(" \t") + 1);
      bool item = before.size() >= 2 && before.compare(before.size() - 2, 2, "<<") == 0;
      for (const char* call : {"printf(", "puts("})
        item = item || (before.size() >= std::string(call).size() &&
                        before.compare(before.size() - std::string(call).size(), std::string::npos,
                                       call) == 0);
      if (!item) return false;
    }
  return true;
}

}  // namespace

bool Loop_Variable(const Clue_Input& in, Finding& f) {
  // The nearest for above the use (or on its line) whose parentheses hold the name.
  for (int line = in.line; line >= 1 && line > in.line - 30; --line) {
    std::string code = Code_Of(in.source, line);
    size_t at = Find_Name(code, "for");
    size_t open = at == std::string::npos ? at : code.find('(', at);
    size_t close = open == std::string::npos ? open : Closing_Parenthesis(code, open);
    if (close == std::string::npos ||
        Find_Name(code.substr(0, close), Name_Of(in), open) == std::string::npos)
      continue;
    size_t next = code.find_first_not_of(" \t", close + 1);
    f.line = line;
    return next != std::string::npos && code[next] == ';';
  }
  return false;
}

bool Near_Name(const Clue_Input& in, Clue clue, Finding& f) {
  const std::string& name = Name_Of(in);
  std::set<std::string> names = Names_Around(in);
  std::string near;
  for (const std::string& other : names) {
    bool fits = other != name && (clue == NEAR_CASE ? Lower(other) == Lower(name)
                                                    : Looks(Lower(other)) == Looks(Lower(name)));
    if (fits && clue != NEAR_TYPO) near = other;
  }
  // A standard name is no slip: its header or a line above is at fault.
  if (!Header_Of(name).empty()) return false;
  if (clue == NEAR_TYPO && name.size() >= 3) {
    near = Suggested(in, names);
    if (near.empty()) near = Nearest_Name(name, names, name.size() >= 6 ? 2 : 1);
    // A slip is made once: a name written the same way again and again,
    // where the other is never written, is meant as it stands.
    if (Mentions(in, name) >= 2 && Mentions(in, near) == 0) near.clear();
    if (name.size() <= 4 && !Slip_Of_Order(name, near)) near.clear();
  }
  if (near.empty() || near.compare(0, 5, "std::") == 0) return false;
  // A call is no type: "sort(" does not mean "short(".
  size_t after = in.source.code[in.line - 1].find_first_not_of(" \t", in.at + name.size());
  if (In_List("int short long char double float bool void unsigned signed", near) &&
      after != std::string::npos && in.source.code[in.line - 1][after] == '(')
    return false;
  f.line = in.line;
  f.values["near"] = near;
  if (clue == NEAR_LOOKALIKE) f.values["word"] = Lookalike_Words(name, near);
  return true;
}

bool Not_Quoted(const Clue_Input& in, Finding& f) {
  const std::string& name = Name_Of(in);
  const std::string& code = in.source.code[in.line - 1];
  for (char c : name)
    if (!std::isalpha(static_cast<unsigned char>(c))) return false;  // text is words
  if (!Only_Printed(in.source, name)) return false;
  // The words that follow it up to an operator: "Hello World".
  size_t end = in.at + name.size();
  while (end < code.size()) {
    size_t next = code.find_first_not_of(" \t", end);
    if (next == std::string::npos || !Word_Char(code[next])) break;
    end = next + Name_At(code, next).size();
  }
  std::string words = in.source.lines[in.line - 1].substr(in.at, end - in.at);
  bool capital = Lower(name) != name;
  bool word = In_List("yes no hello world impossible possible error ok none hi bye good bad", name);
  f.line = in.line;
  f.values["word"] = words;
  return capital || word || words.size() > name.size();
}

bool Defined_Later(const Clue_Input& in, Finding& f) {
  const std::string& name = Name_Of(in);
  const std::string& code = in.source.code[in.line - 1];
  size_t call = code.find_first_not_of(" \t", in.at + name.size());
  if (call == std::string::npos || code[call] != '(') return false;
  for (int line = in.line + 1; line <= static_cast<int>(in.source.code.size()); ++line) {
    std::string later = Code_Of(in.source, line);
    size_t at = Find_Name(later, name);
    if (Indent_Of(in.source, line) != 0 || at == std::string::npos || at == 0) continue;
    size_t open = later.find_first_not_of(" \t", at + name.size());
    std::string before = later.substr(0, at);
    if (open == std::string::npos || later[open] != '(' ||
        before.find_first_of("=;(") != std::string::npos)
      continue;
    f.line = in.line;
    f.values["later"] = std::to_string(line);
    return true;
  }
  return false;
}

bool In_Header(const Clue_Input& in, bool include_missing, Finding& f) {
  const std::string& name = Name_Of(in);
  bool using_std = false, included = false, bits = false;
  std::string header = Header_Of(name);
  for (const std::string& line : in.source.code) {
    using_std = using_std || (line.find("using") != std::string::npos &&
                              line.find("namespace") != std::string::npos &&
                              Find_Name(line, "std") != std::string::npos);
    bits = bits || line.find("bits/stdc++.h") != std::string::npos;
    included = included || (!header.empty() && line.find("include") != std::string::npos &&
                            line.find(header.substr(1, header.size() - 2)) != std::string::npos);
  }
  f.line = in.line;
  if (!include_missing) {
    // Only the names of std need it: printf and sqrt are everywhere.
    bool standard = In_List(STD_ONLY_NAMES, name) ||
                    (in.candidate.words.size() > 1 && in.candidate.words[1] == "std::" + name);
    return standard && !using_std;
  }
  f.values["header"] = header;
  bool needs_std = In_List(STD_ONLY_NAMES, name);
  return !header.empty() && !included && !bits && (using_std || !needs_std);
}

bool In_Other_Block(const Clue_Input& in, Finding& f) {
  const std::string& name = Name_Of(in);
  int seen = First_Mention(in.source, name, in.line - 1);
  if (seen == 0) return false;
  std::string code = Code_Of(in.source, seen);
  int end = 0;
  size_t loop = Find_Name(code, "for");
  if (loop != std::string::npos && code.find('{') == std::string::npos &&
      loop < Find_Name(code, name))
    end = code.back() == ';' ? seen : seen + 1;  // a loop of one statement
  int start = Block_Start(in.source, seen);
  if (end == 0 && start > 0) end = Block_End(in.source, start);
  f.line = in.line;
  f.values["seen"] = std::to_string(seen);
  return end > 0 && end < in.line;
}

bool Shadowed(const Clue_Input& in, bool function, Finding& f) {
  const std::string& name = Name_Of(in);
  int seen = First_Mention(in.source, name, in.line - 1);
  f.line = in.line;
  f.values["seen"] = std::to_string(seen);
  // A function of that name: the library's (max, count), or one of the file's.
  bool exists = !Header_Of(name).empty() || In_List("count abs gcd", name);
  for (int line = 1; line <= static_cast<int>(in.source.code.size()) && !exists; ++line) {
    std::string code = Code_Of(in.source, line);
    size_t at = Find_Name(code, name);
    exists = Indent_Of(in.source, line) == 0 && at != std::string::npos && at > 0 &&
             code.find('(', at) == code.find_first_not_of(" \t", at + name.size());
  }
  // An enumerator, a type or a macro is no variable.
  std::string declared = Code_Of(in.source, seen);
  if (declared.empty() || declared[0] == '#' ||
      In_List("class enum struct typedef using", First_Name(declared)))
    return false;
  return seen > 0 && exists == function;
}

const std::string& Name_Of(const Clue_Input& in) {
  static const std::string none;
  return in.candidate.words.empty() ? none : in.candidate.words[0];
}
