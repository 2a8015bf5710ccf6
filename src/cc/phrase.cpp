#include "cc/phrase.h"

#include <algorithm>
#include <set>

#include "cc/catalogue.h"
#include "cc/pattern.h"
#include "cc/text.h"

namespace {

const size_t MOST_MARKS = 8;  // runs of marks listed one by one; the rest only said to be there

struct Hint {
  int group;             // 0 marks, 1 errors, 2 warnings, 3 the encoding
  int line;              // where it lies, for the order
  size_t order;          // the order its cause was met
  const Source* source;  // where it lies
  std::string once;      // what makes two hints one
  std::string text;      // what it says, after its number
};

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

std::string Where(const Source* source, int line) {
  if (source == nullptr) return "";
  if (line < 1) return source->name + "：";
  return source->name + " 第 " + std::to_string(line) + " 行：";
}

bool Space_Like(int code) {
  return code == 0x00A0 || (code >= 0x2002 && code <= 0x200A) || code == 0x202F || code == 0x205F ||
         code == 0x3000;
}

// What a run of `count` marks like `mark` is and what to do with it.
std::string Mark_Line(const Mark& mark, size_t count) {
  std::string at =
      "   第 " + std::to_string(mark.line) + " 行第 " + std::to_string(mark.column) + " 列";
  if (!mark.invisible && mark.code != 0x3000)
    return at + "的 " + UTF8_Of(mark.code) + " 要改成 " + std::string(1, Ascii_For(mark.code)) +
           "\n";
  std::string what = mark.invisible ? Invisible_Name(mark.code) : "全角空格";
  std::string has = count > 1 ? "起有 " + std::to_string(count) + " 个" : "有一个";
  if (!mark.name.empty()) return at + has + what + "，夹在“" + mark.name + "”中间，要删掉\n";
  return at + has + what + (Space_Like(mark.code) ? "，要改成普通空格\n" : "，要删掉\n");
}

// One line for each mark, or for a run of the same mark side by side.
std::string Mark_Lines(const std::vector<Mark>& marks) {
  std::string text;
  size_t runs = 0;
  for (size_t i = 0; i < marks.size();) {
    size_t count = 1;
    while (i + count < marks.size() && marks[i + count].line == marks[i].line &&
           marks[i + count].code == marks[i].code &&
           marks[i + count].column == marks[i].column + static_cast<int>(count))
      ++count;
    if (++runs > MOST_MARKS) return text + "   ……别的地方还有，也请一并改正\n";
    text += Mark_Line(marks[i], count);
    i += count;
  }
  return text;
}

Hint Phrase(const Placed& p, size_t order, const std::vector<Record>& records) {
  const Situation& situation = Situation_At(p.situation);
  const Cause& cause = *p.cause;
  std::string means, todo, once;
  Fill(situation.means, p.values, means);
  Fill(situation.todo, p.values, todo);
  Fill(situation.once, p.values, once);
  Hint hint{1, p.line, order, p.source, "", ""};
  hint.once = once.empty() ? "" : std::string(situation.id) + "\x01" + once;
  if (cause.kind == WIDE_MARKS || cause.kind == HIDDEN_MARKS) {
    hint.group = 0;
    hint.text = cause.source->name + " " + means + "\n" + Mark_Lines(cause.marks);
    return hint;
  }
  if (cause.kind == ENCODING) {
    hint.group = 3;
    hint.text = cause.source->name + " " + means + "\n   " + todo + "\n";
    return hint;
  }
  hint.group = records[cause.record].severity == SEV_WARNING ? 2 : 1;
  hint.text = Where(p.source, p.line) + Readable(means) + "\n   " + Readable(todo) + "\n";
  return hint;
}

// For the first error when no situation explains it: where it is, and what
// the compiler's message there says, in Chinese.
Hint Generic(const Cause& cause, const std::vector<Record>& records) {
  const Record& r = records[cause.record];
  std::map<std::string, std::string> values;
  for (size_t k = 0; k < r.words.size(); ++k) values[std::to_string(k + 1)] = r.words[k];
  std::string says;
  if (r.shape < 0 || !Fill(SHAPES[r.shape].explains, values, says)) says.clear();
  std::string text = Where(cause.source, r.line) + "编译器在这里报告了一个错误" +
                     (says.empty() ? "，上面它自己的说明讲的就是这一处。" : "：" + Readable(says)) +
                     "\n   " + (says.empty() ? "" : "上面编译器自己的说明讲的就是这一处。") +
                     "先改正这一处再编译一次，后面的错误常常是它引起的。\n";
  return {1, r.line, 0, cause.source, "", text};
}

bool Earlier(const Hint& a, const Hint& b) {
  if (a.group != b.group) return a.group < b.group;
  if (a.line != b.line) return a.line < b.line;
  return a.order < b.order;
}

}  // namespace

std::string Phrase_Hints(const std::vector<Placed>& placed,
                         const std::vector<const Cause*>& unexplained,
                         const std::vector<Record>& records) {
  std::vector<Hint> hints;
  for (size_t i = 0; i < placed.size(); ++i) hints.push_back(Phrase(placed[i], i + 1, records));
  // The first error of all, when nothing explains it.
  const Cause* first = nullptr;
  for (const Cause* cause : unexplained)
    if (records[cause->record].severity == SEV_ERROR && cause->source != nullptr &&
        (first == nullptr || records[cause->record].line < records[first->record].line))
      first = cause;
  for (const Hint& hint : hints)
    if (first != nullptr && hint.group == 1 && hint.line <= records[first->record].line)
      first = nullptr;
  if (first != nullptr) hints.push_back(Generic(*first, records));
  std::stable_sort(hints.begin(), hints.end(), Earlier);
  // One hint for each line and for each cause told once.
  std::set<std::pair<const Source*, int>> lines;
  std::set<std::string> told;
  std::string text;
  size_t count = 0;
  for (const Hint& hint : hints) {
    if (hint.group != 0 && hint.group != 3 && hint.line > 0 &&
        !lines.insert({hint.source, hint.line}).second)
      continue;
    if (!hint.once.empty() && !told.insert(hint.once).second) continue;
    if (++count > MOST_HINTS) break;
    text += std::to_string(count) + ". " + hint.text;
  }
  return text.empty() ? "" : "\n中文提示（tarnwickstone-cc）：\n" + text;
}
