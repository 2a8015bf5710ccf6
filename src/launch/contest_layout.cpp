#include "launch/contest_layout.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

#include "common/names.h"
#include "console/text.h"  // Ends_In
#include "launch/source_names.h"
#include "platform/platform.h"

namespace {

enum Branch { BRANCH_OFF, BRANCH_ON, BRANCH_UNKNOWN };

// One #if of the stack: whether its enclosing code is compiled, whether one
// of its branches was taken, and the branch now read.
struct Condition {
  bool outer;
  Branch taken, now;
};

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// What a condition says, for the few forms a judge's compile decides alone.
Branch Decided(const std::string& kind, const std::string& rest,
               const std::set<std::string>& defined) {
  std::string name = rest.substr(0, rest.find_first_of(" \t\r/("));
  bool unknown = name.empty() || name[0] == '_';
  if (kind == "ifdef" || kind == "ifndef") {
    if (unknown) return BRANCH_UNKNOWN;
    return (defined.count(name) != 0) == (kind == "ifdef") ? BRANCH_ON : BRANCH_OFF;
  }
  if (name == "0") return BRANCH_OFF;
  return name == "1" ? BRANCH_ON : BRANCH_UNKNOWN;
}

// Reads one directive into the stack of conditions and the names defined.
void Directive(const std::string& line, std::vector<Condition>& stack,
               std::set<std::string>& defined) {
  size_t hash = line.find('#');
  std::vector<std::string> words = Words(line.substr(hash + 1));
  if (words.empty()) return;
  std::string kind = words[0], rest = line.substr(line.find(kind, hash) + kind.size());
  rest.erase(0, rest.find_first_not_of(" \t"));
  bool on = stack.empty() || (stack.back().outer && stack.back().now != BRANCH_OFF);
  if (kind == "define" && on && words.size() > 1) defined.insert(Words(rest)[0]);
  if (kind == "undef" && on && words.size() > 1) defined.erase(words[1]);
  if (kind == "if" || kind == "ifdef" || kind == "ifndef") {
    Branch b = Decided(kind, rest, defined);
    stack.push_back({on, b, b});
  } else if (!stack.empty() && (kind == "elif" || kind == "else")) {
    Condition& c = stack.back();
    Branch b = kind == "else" ? BRANCH_ON : Decided("if", rest, defined);
    if (c.taken == BRANCH_ON) b = BRANCH_OFF;
    if (c.taken == BRANCH_UNKNOWN && b == BRANCH_ON) b = BRANCH_UNKNOWN;
    c.now = b;
    if (c.taken != BRANCH_ON) c.taken = b == BRANCH_OFF ? c.taken : b;
  } else if (!stack.empty() && kind == "endif") {
    stack.pop_back();
  }
}

bool Problem_Name(const std::string& name) {
  return !name.empty() &&
         std::all_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Another problem's folder beside the program's: Y holding Y.cpp.
bool Sibling_Problem(const std::string& folder) {
  std::string parent = Folder_Of(folder), own = Base_Name(folder);
  std::vector<Folder_Entry> entries;
  if (!List_Folder(parent, entries)) return false;
  for (const Folder_Entry& entry : entries)
    if (entry.kind == ENTRY_FOLDER && entry.name != own && Problem_Name(entry.name) &&
        Path_Status(parent + SEPARATOR + entry.name + SEPARATOR + entry.name + ".cpp") == PATH_FILE)
      return true;
  return false;
}

// Whether a block comment is still open after `line`, given whether one was
// open before it; a "#if" inside a comment is no directive.
bool Open_Comment(const std::string& line, bool open) {
  for (size_t i = 0; i + 1 < line.size(); ++i) {
    if (open && line.compare(i, 2, "*/") == 0) {
      open = false;
      ++i;
    } else if (!open && line.compare(i, 2, "//") == 0) {
      break;
    } else if (!open && line.compare(i, 2, "/*") == 0) {
      open = true;
      ++i;
    }
  }
  return open;
}

}  // namespace

std::string Compiled_Text(const std::string& source) {
  std::istringstream in(source);
  std::vector<Condition> stack;
  std::set<std::string> defined;
  std::string text;
  bool comment = false;
  for (std::string line; std::getline(in, line);) {
    size_t first = line.find_first_not_of(" \t");
    bool directive = !comment && first != std::string::npos && line[first] == '#';
    comment = Open_Comment(line, comment);
    if (directive) Directive(line, stack, defined);
    bool on = stack.empty() || (stack.back().outer && stack.back().now != BRANCH_OFF);
    text += (on && !directive ? line : "") + "\n";
  }
  return text;
}

bool Contest_Layout(const std::string& program, const Sample_Set& set) {
  std::string stem = Program_Stem(program), folder = Real_Path(Folder_Of(program));
  if (!Problem_Name(stem) || Base_Name(folder) != stem) return false;
  for (const Sample& sample : set.samples)
    if (Ends_In(sample.answer, ".ans")) return true;
  return Sibling_Problem(folder);
}

std::string Standard_Io_Note(const std::string& program, const Sample_Set& set,
                             const std::string& source) {
  if (source.empty()) return "";
  Source_Names names = Scan_Source(Compiled_Text(source));
  bool reads = !names.inputs.empty(), writes = !names.outputs.empty();
  if ((reads && writes) || !names.with_folder.empty() || !Contest_Layout(program, set)) return "";
  std::string x = Program_Stem(program), source_name = x + ".cpp";
  std::string in = "freopen(\"" + x + ".in\", \"r\", stdin);";
  std::string out = "freopen(\"" + x + ".out\", \"w\", stdout);";
  std::string note = source_name + " 在考场文件夹 " + x + " 里，比赛要求程序";
  if (!reads && !writes)
    note += "从 " + x + ".in 读入、把答案写进 " + x + ".out，而它只用了标准输入输出";
  else if (!reads)
    note += "从 " + x + ".in 读入，而它读的是标准输入";
  else
    note += "把答案写进 " + x + ".out，而它写的是标准输出";
  note +=
      "，比赛时这道题会得 0 分：请在 main 函数开头写上 " + (!reads && !writes ? in + " 和 " + out
                                                            : reads           ? out
                                                                              : in);
  if (source.find("freopen") != std::string::npos)
    note += "（写在注释里或 #ifdef 里的 freopen 比赛时不会执行）";
  return note;
}
