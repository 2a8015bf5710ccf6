#include "cc/locate.h"

#include "cc/catalogue.h"
#include "cc/clues.h"
#include "cc/pattern.h"
#include "cc/structure.h"

namespace {

// The clues about names, formats, macros and the library.
bool Holds_For_Name(Clue clue, const Clue_Input& in, Finding& f) {
  switch (clue) {
    case LOOP_VARIABLE:
      return Loop_Variable(in, f);
    case NEAR_CASE:
    case NEAR_LOOKALIKE:
    case NEAR_TYPO:
      return Near_Name(in, clue, f);
    case NOT_QUOTED:
      return Not_Quoted(in, f);
    case DEFINED_LATER:
      return Defined_Later(in, f);
    case IN_HEADER:
    case STD_WITHOUT_USING:
      return In_Header(in, clue == IN_HEADER, f);
    case IN_OTHER_BLOCK:
      return In_Other_Block(in, f);
    case NEVER_DECLARED:
      return Declared_Nowhere(in, f);
    case DECLARED_AT:
      return Declared_At(in, f);
    case MAIN_MISSPELT:
      return Main_Misspelt(in, f);
    case SHADOWED:
    case VARIABLE_CALLED:
      return Shadowed(in, clue == SHADOWED, f);
    case UNSET_ACCUMULATOR:
      return Unset_Accumulator(in, f);
    case NEAREST_HEADER:
      return Nearest_Header(in, f);
    case MACRO_FAULT:
      return Macro_Fault(in, f);
    case COMMENT_SWALLOWED:
      return Comment_Swallowed(in, f);
    case AFTER_STRING:
      return After_String(in, f);
    case UNBALANCED:
      return Unbalanced(in, f);
    case MEMBER_CALLED:
      return Member_Called(in, f);
    case OPERAND_MISSING:
    case TYPE_AS_VALUE:
      return Value_Missing(in, clue, f);
    case IF_EMPTY:
      return If_Empty(in, f);
    case VALUE_CALLED:
      return Value_Called(in, f);
    case NOT_STANDARD_MEMBER:
      return Not_Standard_Member(in, f);
    case LIBRARY:
    case LIBRARY_NO_LESS:
    case LIBRARY_LESS_CONST:
    case LIBRARY_COMPARATOR:
    case LIBRARY_TWO_ONLY:
      return From_Library(in, clue, f);
    default:  // the formats
      return Format(in, clue, f);
  }
}

bool Holds(Clue clue, const Clue_Input& in, Finding& f) {
  // What the library reports in its own headers is explained only by what it needed.
  if (!in.record.library_file.empty() && clue < LIBRARY) return false;
  switch (clue) {
    case AT_MESSAGE:
      f.line = in.line;
      return true;
    case NO_PLACE:
      return true;
    case AT_NOTE:
      return (f.line = in.candidate.note_line) > 0;
    case NOTE_IN_LIBRARY:
      f.line = in.line;
      return in.candidate.note_line == 0;
    case LINE_BEFORE:
      return Line_Before(in, f);
    case FOR_COMMAS:
      return For_Commas(in, f);
    case ELSE_CONDITION:
      return Else_Condition(in, f);
    case MISSING_SHIFT:
      return Missing_Operator(in, "cout", "<<", f) || Missing_Operator(in, "cerr", "<<", f);
    case MISSING_EXTRACT:
      return Missing_Operator(in, "cin", ">>", f);
    case NO_PARENTHESES:
      return No_Parentheses(in, f);
    case HEADER_SEMICOLON:
      return Header_Semicolon(in, f);
    case STRUCT_END:
      return Struct_End(in, f);
    case OPEN_PARENTHESIS:
    case CLOSE_PARENTHESIS:
      f.line = in.line;
      return (Open_Parentheses(in.source, in.line) > 0) == (clue == OPEN_PARENTHESIS) &&
             Open_Parentheses(in.source, in.line) != 0;
    case UNCLOSED_BRACE:
      return (f.line = Unclosed_Brace(in.source)) > 0;
    case EXTRA_BRACE:
      return (f.line = Extra_Brace(in.source)) > 0 && f.line <= in.line;
    case CLAUSE_SEMICOLON:
    case CLAUSE_NO_BRACES:
      return Clause(in, clue == CLAUSE_SEMICOLON, f);
    case IF_SEMICOLON:
    case IF_OF_ELSE:
      return If_Of_Else(in, clue == IF_SEMICOLON, f);
    case QUOTE_IN_STRING:
      return Quote_In_String(in, f);
    case LAST_VALUE:
      return Last_Value(in, f);
    case CIN_COMMA:
      return Cin_Comma(in, f);
    default:
      return Holds_For_Name(clue, in, f);
  }
}

// What any situation's texts may use: the message's and the note's words,
// the note's line, the program's name.
std::map<std::string, std::string> Given_Values(const Candidate& c, const std::string& exe) {
  std::map<std::string, std::string> values = {{"exe", exe}};
  for (size_t k = 0; k < c.words.size(); ++k) values[std::to_string(k + 1)] = c.words[k];
  for (size_t k = 0; k < c.note_words.size(); ++k)
    values["n" + std::to_string(k + 1)] = c.note_words[k];
  if (c.note_line > 0) values["note"] = std::to_string(c.note_line);
  return values;
}

bool Fits(const Situation& situation, const std::map<std::string, std::string>& values) {
  std::string text;
  return Fill(situation.means, values, text) && Fill(situation.todo, values, text);
}

// A cause found in the source itself: its file, and its first line.
void Place_From_Source(const Cause& cause, size_t situation, Placed& placed) {
  placed.situation = situation;
  placed.cause = &cause;
  placed.source = cause.source;
  placed.line = cause.lines.empty() ? 0 : cause.lines.front();
  placed.values["line"] = std::to_string(placed.line);
}

}  // namespace

bool Locate(const Cause& cause, const std::vector<Candidate>& candidates,
            const std::vector<Record>& records, const std::vector<Source>& sources,
            const std::string& exe, Placed& placed) {
  static const Source none;
  for (const Candidate& c : candidates) {
    if (c.situation >= Situation_Count()) continue;
    if (cause.kind != FROM_MESSAGE) {
      Place_From_Source(cause, c.situation, placed);
      return true;
    }
    const Record& r = records[c.record];
    const Source& source = cause.source != nullptr ? *cause.source : none;
    Clue_Input in{r, source, sources, c, records, r.line, Byte_At(source, r.line, r.column)};
    Finding f;
    const Situation& situation = Situation_At(c.situation);
    if (!Holds(situation.clue, in, f)) continue;
    std::map<std::string, std::string> values = Given_Values(c, exe);
    for (const auto& [name, value] : f.values) values[name] = value;
    if (!Fits(situation, values)) continue;
    placed.situation = c.situation;
    placed.cause = &cause;
    placed.source = f.source != nullptr ? f.source : f.line > 0 ? cause.source : nullptr;
    placed.line = placed.source != nullptr ? f.line : 0;
    placed.values = values;
    return true;
  }
  return false;
}
