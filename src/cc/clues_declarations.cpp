// Clues about declarations and definitions: the body a declared function
// lacks, a main misspelt, a header misspelt, a sum never given its first value.
#include "cc/catalogue.h"
#include "cc/clues.h"
#include "cc/text.h"

bool Unset_Accumulator(const Clue_Input& in, Finding& f) {
  const std::string& name = Name_Of(in);
  f.line = in.candidate.note_line;
  std::string declared = Code_Of(in.source, f.line);
  size_t at = Find_Name(declared, name);
  if (f.line == 0 || at == std::string::npos) return false;
  // Its next mention, after its declaration, changes it from what it was.
  for (int line = f.line; line <= in.line; ++line) {
    std::string code = Code_Of(in.source, line);
    at = Find_Name(code, name, line == f.line ? at + name.size() : 0);
    if (at == std::string::npos) continue;
    std::string after = code.substr(at + name.size());
    after = after.substr(std::min(after.find_first_not_of(" \t"), after.size()));
    std::string before = code.substr(0, at);
    before = before.substr(0, before.find_last_not_of(" \t") + 1);
    for (const char* op : {"+=", "-=", "*=", "/=", "%=", "++", "--"})
      if (after.compare(0, 2, op) == 0) return true;
    return before.size() >= 2 && (before.compare(before.size() - 2, 2, "++") == 0 ||
                                  before.compare(before.size() - 2, 2, "--") == 0);
  }
  return false;
}

bool Main_Misspelt(const Clue_Input& in, Finding& f) {
  for (const Source& source : in.sources)
    for (int line = 1; line <= static_cast<int>(source.code.size()); ++line) {
      // "int mian(" or "void Main (": a type, a name, then the parameters.
      std::string code = Code_Of(source, line);
      std::string type = First_Name(code);
      if (type != "int" && type != "void" && type != "signed") continue;
      size_t start = code.find_first_not_of(" \t", type.size());
      std::string word = start == std::string::npos ? "" : Name_At(code, start);
      size_t paren =
          start == std::string::npos ? start : code.find_first_not_of(" \t", start + word.size());
      if (word.empty() || word == "main" || paren == std::string::npos || code[paren] != '(')
        continue;
      if (Edit_Distance(Lower(word), "main") <= 1) {
        f.source = &source;
        f.line = line;
        f.values["found"] = word;
        return true;
      }
    }
  return false;
}

bool Declared_At(const Clue_Input& in, Finding& f) {
  const std::string& called = Name_Of(in);
  std::string name = called.substr(0, called.find('('));
  for (int line = 1; line <= static_cast<int>(in.source.code.size()); ++line) {
    std::string code = Code_Of(in.source, line);
    size_t at = Find_Name(code, name);
    if (Indent_Of(in.source, line) == 0 && at != std::string::npos && at > 0 &&
        code.back() == ';' && code.find('(', at) != std::string::npos &&
        code.find('=') == std::string::npos) {
      f.line = line;
      return true;
    }
  }
  f.line = in.line;
  return true;
}

bool Nearest_Header(const Clue_Input& in, Finding& f) {
  std::string best;
  int best_distance = 3;
  for (size_t i = 0; i < HEADER_COUNT; ++i) {
    int distance = Edit_Distance(Name_Of(in), HEADERS[i]);
    if (distance < best_distance && Name_Of(in) != HEADERS[i]) {
      best = HEADERS[i];
      best_distance = distance;
    }
  }
  f.line = in.line;
  f.values["header"] = best;
  return !best.empty();
}
