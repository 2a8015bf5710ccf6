#include "cc/hints.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "cc/diagnostics.h"
#include "cc/explain.h"
#include "cc/fullwidth.h"
#include "cc/text.h"

namespace {

// Options whose value is the next word, which is then no source file.
const char* const TAKES_VALUE[] = {"-o", "-I",  "-L",  "-l",  "-D",       "-U",     "-include",
                                   "-x", "-MF", "-MT", "-MQ", "-isystem", "-iquote"};

bool Is_Source_Name(const std::string& word) {
  size_t dot = word.rfind('.');
  if (dot == std::string::npos || word.empty() || word[0] == '-') return false;
  std::string extension = word.substr(dot + 1);
  if (extension == "C") return true;
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* known : {"cpp", "cc", "cxx", "c++", "cp", "c"})
    if (extension == known) return true;
  return false;
}

std::string Where(const Source* source, int line) {
  if (source == nullptr) return "";
  if (line < 1) return source->name + "：";
  return source->name + " 第 " + std::to_string(line) + " 行：";
}

// The compiler's words as a reader sees them: quotes as Chinese quotes.
std::string Readable(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == QUOTE_OPEN)
      out += "“";
    else if (c == QUOTE_CLOSE)
      out += "”";
    else
      out += c;
  }
  return out;
}

// One hint for every full-width mark in a file, each on a line of its own.
std::string Wide_Marks_Hint(const Source& source, const std::vector<Wide_Mark>& marks) {
  std::string text = source.name +
                     " 里有中文标点（全角符号），C++ 只认英文标点。"
                     "请切换到英文输入法，把它们改成英文的：\n";
  for (const Wide_Mark& mark : marks) {
    text += "   第 " + std::to_string(mark.line) + " 行第 " + std::to_string(mark.column) + " 列";
    if (mark.code == 0x3000)
      text += "有一个全角空格，要改成普通空格\n";
    else
      text += "的 " + UTF8_Of(mark.code) + " 要改成 " + std::string(1, Ascii_For(mark.code)) + "\n";
  }
  return text;
}

std::string Encoding_Hint(const Source& source) {
  return source.name + " 不是 UTF-8 编码（从第 " + std::to_string(source.first_gbk_line) +
         " 行起有别的编码的文字，多半是 GBK，旧版记事本默认这样保存），"
         "程序里的中文会显示成乱码。\n"
         "   用记事本打开它，选“文件”→“另存为”，把下方的“编码”选成“UTF-8”后保存，再重新编译。\n";
}

bool Holds_Wide_Mark(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    size_t length = UTF8_Length(text, at);
    if (length == 0) return false;  // not UTF-8: nothing to tell
    if (length > 1 && Ascii_For(Code_Point(text, at, length)) != 0) return true;
    at += length;
  }
  return false;
}

}  // namespace

std::vector<std::string> Source_Paths(const std::vector<std::string>& args) {
  std::vector<std::string> paths;
  for (size_t i = 0; i < args.size(); ++i) {
    bool value = false;
    for (const char* option : TAKES_VALUE) value = value || args[i] == option;
    if (value)
      ++i;
    else if (Is_Source_Name(args[i]))
      paths.push_back(args[i]);
  }
  return paths;
}

std::string Output_Name(const std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) return Base_Name(args[i + 1]);
    if (args[i].size() > 2 && args[i].compare(0, 2, "-o") == 0) return Base_Name(args[i].substr(2));
  }
  return "";
}

std::string Hints(const std::vector<std::string>& args, const std::string& output, bool failed,
                  const std::vector<Source>& sources) {
  std::vector<Diagnostic> diagnostics = Read_Diagnostics(output);
  bool spoke = false;  // it printed an error or a warning
  for (const Diagnostic& d : diagnostics) spoke = spoke || d.severity >= SEV_WARNING;
  if (!spoke) return "";

  std::vector<std::string> hints;
  std::set<std::pair<const Source*, int>> taken;  // lines already explained
  std::vector<const std::string*> marked;         // the lines that hold full-width marks
  for (const Source& source : sources) {
    std::vector<Wide_Mark> marks = failed ? Find_Wide_Marks(source) : std::vector<Wide_Mark>();
    if (!marks.empty()) hints.push_back(Wide_Marks_Hint(source, marks));
    for (const Wide_Mark& mark : marks)
      if (taken.insert({&source, mark.line}).second) marked.push_back(&source.lines[mark.line - 1]);
  }
  for (const Source& source : sources)
    if (source.gbk) {
      hints.push_back(Encoding_Hint(source));
      break;
    }

  // Every message explained, then the narrower situation kept where two
  // explain one line, and one hint kept for each name.
  std::string exe = Output_Name(args);
  std::vector<std::pair<Explained, size_t>> found;  // with the message's index
  for (size_t i = 0; i < diagnostics.size(); ++i) {
    Explained hint;
    if (!Explain(diagnostics, i, sources, exe, hint)) continue;
    // "int a，b；" declares one strange name: what is said of a or b follows from the marks.
    bool follows = false;
    for (const std::string& word : hint.words) follows = follows || Holds_Wide_Mark(word);
    for (const std::string* line : marked)
      follows = follows || (!hint.words.empty() && line->find(hint.words[0]) != std::string::npos);
    if (!follows) found.push_back({hint, i});
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return a.first.situation < b.first.situation;
  });
  std::set<std::string> names;
  std::vector<std::pair<size_t, std::string>> ranked;  // by how grave, then where in the output
  for (const auto& [hint, index] : found) {
    if (hint.line > 0 && !taken.insert({hint.source, hint.line}).second) continue;
    Severity severity = diagnostics[index].severity;
    std::string name_key = hint.name + (severity == SEV_WARNING ? "\x01w" : "\x01e");
    if (!hint.name.empty() && !names.insert(name_key).second) continue;
    size_t rank = (severity == SEV_WARNING ? diagnostics.size() : 0) + index;
    ranked.push_back({rank, Where(hint.source, hint.line) + Readable(hint.means) + "\n   " +
                                Readable(hint.todo) + "\n"});
  }
  std::sort(ranked.begin(), ranked.end());
  for (const auto& [rank, text] : ranked) hints.push_back(text);

  if (hints.empty()) {
    // Nothing in the catalogue: at least where the first error is.
    for (const Diagnostic& d : diagnostics) {
      const Source* source = Users_File(sources, d.file);
      if (d.severity != SEV_ERROR || source == nullptr) continue;
      hints.push_back(Where(source, d.line) + "编译器在这里报告了错误：" + Readable(d.text) +
                      "\n   先改正第一个错误再编译一次，后面的错误常常是它引起的。\n");
      break;
    }
  }
  if (hints.empty()) return "";
  if (hints.size() > MOST_HINTS) hints.resize(MOST_HINTS);
  std::string text = "\n中文提示（tarnwickstone-cc）：\n";
  for (size_t i = 0; i < hints.size(); ++i) text += std::to_string(i + 1) + ". " + hints[i];
  return text;
}
