#include "cc/causes.h"

#include <algorithm>
#include <cstring>

#include "cc/catalogue.h"
#include "cc/structure.h"
#include "cc/text.h"

namespace {

struct Grouping {
  const std::vector<Record>& records;
  const std::vector<Source>& sources;
  std::vector<Cause> causes;
};

bool Is(const Record& r, const char* id) {
  return r.shape >= 0 && std::strcmp(SHAPES[r.shape].id, id) == 0;
}

// What a message weighs: an error no shape fits counts as grammar.
Shape_Kind Kind_Of(const Record& r) {
  return r.shape >= 0 ? SHAPES[r.shape].kind : r.severity == SEV_ERROR ? SYNTAX : CLUE;
}

// A message stands for a cause of its own unless it follows from another.
bool Stands_Alone(const Record& r) {
  Shape_Kind kind = Kind_Of(r);
  if (r.severity == SEV_ERROR) return kind != CLUE && kind != NOTE;
  if (r.severity == SEV_WARNING) return kind == WARNING;
  return r.severity == SEV_OTHER && kind == PROGRAM;
}

// A variable used before it was given a value.
bool Unset(const Record& r) {
  return Is(r, "uninitialized") || Is(r, "maybe-uninitialized");
}

// A message about a name that may have failed to be declared.
bool About_A_Name(const Record& r) {
  return !r.words.empty() &&
         (Is(r, "not-declared") || Is(r, "not-a-type") || Unset(r) || Is(r, "not-a-function"));
}

bool Holds_Mark(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    size_t length = UTF8_Length(text, at);
    if (length == 0) return false;
    int code = Code_Point(text, at, length);
    if (length > 1 && (Ascii_For(code) != 0 || !Invisible_Name(code).empty())) return true;
    at += length;
  }
  return false;
}

// The cause in `source` that touches `line`; -1 for none.
int Touching(const Grouping& g, const Source* source, int line) {
  for (size_t i = 0; i < g.causes.size(); ++i)
    if (g.causes[i].source == source && g.causes[i].kind != ENCODING &&
        std::find(g.causes[i].lines.begin(), g.causes[i].lines.end(), line) !=
            g.causes[i].lines.end())
      return static_cast<int>(i);
  return -1;
}

// The marks cause of `source` that a name with a mark in it follows from.
int Marked(const Grouping& g, const Source* source, const Record& r) {
  for (size_t i = 0; i < g.causes.size(); ++i) {
    const Cause& cause = g.causes[i];
    if (cause.source != source || cause.marks.empty()) continue;
    for (const std::string& word : r.words) {
      if (Holds_Mark(word)) return static_cast<int>(i);
      for (const Mark& mark : cause.marks)
        if (!mark.name.empty() && mark.name == word) return static_cast<int>(i);
    }
  }
  return -1;
}

// The cause that an earlier fault on the declaration of the message's name
// (or an earlier message about the same name) stands for.
int Name_Follows(const Grouping& g, const Source& source, const Record& r) {
  int first = First_Mention(source, r.words[0], r.line);
  int cause = first > 0 && first < r.line ? Touching(g, &source, first) : -1;
  if (cause >= 0) return cause;
  bool standard = !Header_Of(r.words[0]).empty() ||
                  (r.words.size() > 1 && r.words[1].compare(0, 5, "std::") == 0);
  for (size_t i = 0; i < g.causes.size(); ++i) {
    const Cause& c = g.causes[i];
    if (c.kind != FROM_MESSAGE || c.source != &source) continue;
    const Record& earlier = g.records[c.record];
    if (About_A_Name(earlier) && earlier.words[0] == r.words[0]) return static_cast<int>(i);
    // A "using namespace std;" that failed leaves the standard names unknown.
    std::string code = Code_Of(source, c.lines.front());
    if (standard && code.find("using") != std::string::npos &&
        Find_Name(code, "std") != std::string::npos)
      return static_cast<int>(i);
  }
  // A variable left without a value because the nearest statement above
  // that was to give it one is at fault: "cin >> a, b;".
  for (size_t i = g.causes.size(); i-- > 0 && Unset(r);) {
    const Cause& c = g.causes[i];
    for (int line : c.lines)
      if (c.source == &source && Find_Name(Code_Of(source, line), r.words[0]) != std::string::npos)
        return static_cast<int>(i);
  }
  return -1;
}

// The cause an "else without a previous if" follows from: a fault between
// the if and the else that ended the if early ("elseif (…)").
int Else_Follows(const Grouping& g, const Source& source, const Record& r) {
  int if_line = If_Of_Else(source, r.line);
  for (int line = if_line + 1; if_line > 0 && line < r.line; ++line) {
    int cause = Touching(g, &source, line);
    if (cause >= 0 && g.causes[cause].kind == FROM_MESSAGE &&
        g.records[g.causes[cause].record].severity == SEV_ERROR)
      return cause;
  }
  return -1;
}

// A name declared where the library already has one ("int y1;" beside
// <cmath>'s y1) spoils every line that uses it.
int Clash_Follows(const Grouping& g, const Source& source, const Record& r) {
  for (size_t i = 0; i < g.causes.size(); ++i) {
    const Record& earlier = g.records[g.causes[i].record];
    if (g.causes[i].source != &source || !Is(earlier, "other-kind") || earlier.words.empty())
      continue;
    const std::string& declared = earlier.words[0];
    size_t start = declared.find_last_of(" *&");
    std::string name = start == std::string::npos ? declared : declared.substr(start + 1);
    if (Find_Name(Code_Of(source, r.line), name) != std::string::npos) return static_cast<int>(i);
  }
  return -1;
}

// The cause a message in the user's `source` follows from; -1 for none.
// `touched` are the lines it touches.
int Follows_From(const Grouping& g, size_t index, const Source& source,
                 const std::vector<int>& touched) {
  const Record& r = g.records[index];
  int cause = Touching(g, &source, r.line);
  // A line a full-width mark spoiled: "int a，b；" is noticed at the next statement.
  for (int line : touched) {
    int marks = Touching(g, &source, line);
    if (cause < 0 && marks >= 0 && g.causes[marks].kind != FROM_MESSAGE) cause = marks;
  }
  if (cause < 0) cause = Marked(g, &source, r);
  if (cause < 0 && About_A_Name(r)) cause = Name_Follows(g, source, r);
  if (cause < 0 && Is(r, "else-without-if")) cause = Else_Follows(g, source, r);
  if (cause < 0) cause = Clash_Follows(g, source, r);
  // A note that points back at a line already told of: "to match this '('",
  // or the #include line that failed.
  for (size_t note : Notes_Of(g.records, index))
    if (cause < 0 && (Is(g.records[note], "to-match") || Is(g.records[note], "in-header")) &&
        Users_File(g.sources, g.records[note].file) == &source)
      cause = Touching(g, &source, g.records[note].line);
  Shape_Kind kind = Kind_Of(r);
  if (cause >= 0 || (kind != SYNTAX && kind != MEANING)) return cause;
  // What a fault spoiled the compiler's reading of.
  for (size_t i = 0; i < g.causes.size(); ++i) {
    const Cause& c = g.causes[i];
    if (c.source == &source && c.region_end > 0 && r.line >= c.lines.front() &&
        r.line <= c.region_end)
      return static_cast<int>(i);
  }
  return -1;
}

// The lines a message touches: its own, the line before when it points at
// the first code of its line (a missing ';' is noticed at the next
// statement), and the next when it points past the end of its line's code.
std::vector<int> Touched(const Grouping& g, size_t index, const Source& source) {
  const Record& r = g.records[index];
  std::vector<int> lines = {r.line};
  // "this 'for' clause does not guard...": and the statement it points at.
  if (Is(r, "not-guarded"))
    for (size_t note : Notes_Of(g.records, index))
      if (Is(g.records[note], "guarded")) lines.push_back(g.records[note].line);
  if (Kind_Of(r) != SYNTAX || r.column < 1) return lines;
  const std::string code =
      r.line <= static_cast<int>(source.code.size()) ? source.code[r.line - 1] : "";
  size_t at = Byte_At(source, r.line, r.column);
  int before = Code_Line_Before(source, r.line), after = Code_Line_After(source, r.line);
  if (code.find_first_not_of(" \t\r") >= at && before > 0) lines.insert(lines.begin(), before);
  size_t last = code.find_last_not_of(" \t\r");
  if ((last == std::string::npos || at > last) && after > 0) lines.push_back(after);
  return lines;
}

bool Derails(const Source& source, const Record& r) {
  if (r.shape >= 0 && SHAPES[r.shape].derails) return true;
  Shape_Kind kind = Kind_Of(r);
  // Before C++17 a ( left open before a { reads as an if's init-statement, so
  // the warning about the standard is the first thing the bracket brings.
  bool syntax = kind == SYNTAX || kind == MEANING || Is(r, "old-standard");
  return syntax && (Open_Parentheses(source, r.line) != 0 || Open_Brackets(source, r.line) != 0);
}

void Add_Marks(Grouping& g, const Source& source) {
  Cause wide, hidden;
  wide.kind = WIDE_MARKS;
  hidden.kind = HIDDEN_MARKS;
  for (const Mark& mark : Find_Marks(source)) {
    Cause& cause = mark.invisible ? hidden : wide;
    cause.marks.push_back(mark);
    if (cause.lines.empty() || cause.lines.back() != mark.line) cause.lines.push_back(mark.line);
  }
  for (Cause* cause : {&wide, &hidden})
    if (!cause->marks.empty()) {
      cause->source = &source;
      g.causes.push_back(*cause);
    }
}

// A message about the program as a whole, said once for each name.
void Add_Program_Message(Grouping& g, size_t index) {
  const Record& r = g.records[index];
  for (Cause& cause : g.causes)
    if (cause.kind == FROM_MESSAGE && g.records[cause.record].shape == r.shape &&
        g.records[cause.record].words == r.words) {
      cause.followers.push_back(index);
      return;
    }
  Cause cause;
  cause.record = index;
  cause.source = Users_File(g.sources, r.file);
  cause.lines = {r.line};
  g.causes.push_back(cause);
}

void Add_Message(Grouping& g, size_t index) {
  const Record& r = g.records[index];
  if (Kind_Of(r) == PROGRAM) {
    if (Stands_Alone(r)) Add_Program_Message(g, index);
    return;
  }
  const Source* source = Users_File(g.sources, r.file);
  if (source == nullptr || r.line < 1 || r.severity < SEV_WARNING) return;
  std::vector<int> touched = Touched(g, index, *source);
  int cause = Follows_From(g, index, *source, touched);
  if (cause >= 0) {
    g.causes[cause].followers.push_back(index);
  } else if (Stands_Alone(r)) {
    Cause fresh;
    fresh.record = index;
    fresh.source = source;
    fresh.lines = touched;
    if (Derails(*source, r)) fresh.region_end = Region_End(*source, r.line);
    g.causes.push_back(fresh);
  }
}

}  // namespace

const Source* Users_File(const std::vector<Source>& sources, const std::string& file) {
  if (file.empty()) return nullptr;
  std::string name = Base_Name(file);
  for (const Source& source : sources)
    if (source.name == name) return &source;
  return nullptr;
}

std::vector<size_t> Notes_Of(const std::vector<Record>& records, size_t index) {
  std::vector<size_t> notes;
  for (size_t i = index + 1; i < records.size(); ++i) {
    if (records[i].severity == SEV_NOTE)
      notes.push_back(i);
    else if (records[i].severity != SEV_OTHER || records[i].line > 0)
      break;
  }
  return notes;
}

std::vector<Cause> Group_Causes(const std::vector<Record>& records,
                                const std::vector<Source>& sources, bool failed) {
  Grouping g{records, sources, {}};
  if (failed)
    for (const Source& source : sources) Add_Marks(g, source);
  for (size_t i = 0; i < records.size(); ++i) Add_Message(g, i);
  for (const Source& source : sources)
    if (source.gbk_text_line > 0) {
      Cause cause;
      cause.kind = ENCODING;
      cause.source = &source;
      cause.lines = {source.gbk_text_line};
      g.causes.push_back(cause);
      break;
    }
  return g.causes;
}
