// What the source (or a message's words) must show for a situation to
// apply, and where the fault lies then: one function for each clue of the
// catalogue, used by the locating stage.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cc/catalogue.h"
#include "cc/match.h"

struct Clue_Input {
  const Record& record;                // the message the situation explains
  const Source& source;                // the user's file it names
  const std::vector<Source>& sources;  // all of the user's files
  const Candidate& candidate;          // what its patterns kept
  const std::vector<Record>& records;  // all the compiler said
  int line;                            // the message's line
  size_t at;                           // the byte of that line it points at
};

struct Finding {
  const Source* source = nullptr;             // the file where it lies, when not the message's
  int line = 0;                               // where the fault lies; 0 for nowhere
  std::map<std::string, std::string> values;  // what the clue found, for the texts
};

// ---- clues_lines.cpp: the shape of a statement ----
bool Line_Before(const Clue_Input& in, Finding& f);
bool For_Commas(const Clue_Input& in, Finding& f);
bool Else_Condition(const Clue_Input& in, Finding& f);
bool Missing_Operator(const Clue_Input& in, const char* stream, const char* op, Finding& f);
bool No_Parentheses(const Clue_Input& in, Finding& f);
bool Header_Semicolon(const Clue_Input& in, Finding& f);
bool Struct_End(const Clue_Input& in, Finding& f);
bool Clause(const Clue_Input& in, bool semicolon, Finding& f);
bool If_Of_Else(const Clue_Input& in, bool semicolon, Finding& f);
bool Quote_In_String(const Clue_Input& in, Finding& f);
bool If_Empty(const Clue_Input& in, Finding& f);
bool Last_Value(const Clue_Input& in, Finding& f);
bool Cin_Comma(const Clue_Input& in, Finding& f);

// ---- clues_names.cpp: a name the compiler does not know ----
bool Loop_Variable(const Clue_Input& in, Finding& f);
bool Near_Name(const Clue_Input& in, Clue clue, Finding& f);
bool Not_Quoted(const Clue_Input& in, Finding& f);
bool Defined_Later(const Clue_Input& in, Finding& f);
bool In_Header(const Clue_Input& in, bool include_missing, Finding& f);
bool In_Other_Block(const Clue_Input& in, Finding& f);
bool Shadowed(const Clue_Input& in, bool function, Finding& f);

// ---- clues_declarations.cpp: what a declaration lacks ----
bool Unset_Accumulator(const Clue_Input& in, Finding& f);
bool Main_Misspelt(const Clue_Input& in, Finding& f);
bool Declared_At(const Clue_Input& in, Finding& f);
bool Nearest_Header(const Clue_Input& in, Finding& f);

// ---- clues_library.cpp: what only the source can show ----
bool Macro_Fault(const Clue_Input& in, Finding& f);
bool Declared_Nowhere(const Clue_Input& in, Finding& f);
bool Unbalanced(const Clue_Input& in, Finding& f);
bool After_String(const Clue_Input& in, Finding& f);
bool Comment_Swallowed(const Clue_Input& in, Finding& f);
bool Value_Called(const Clue_Input& in, Finding& f);
bool Member_Called(const Clue_Input& in, Finding& f);
bool Value_Missing(const Clue_Input& in, Clue clue, Finding& f);
bool From_Library(const Clue_Input& in, Clue clue, Finding& f);
bool Not_Standard_Member(const Clue_Input& in, Finding& f);

// ---- clues_formats.cpp: a scanf or printf format and its argument ----
bool Format(const Clue_Input& in, Clue clue, Finding& f);

// ---- helpers the clues share ----
// The name a message is about: the first thing its pattern kept.
const std::string& Name_Of(const Clue_Input& in);
// The position of the ')' that closes the '(' at `open` in `code`; npos for none.
size_t Closing_Parenthesis(const std::string& code, size_t open);
// The first name of a line of code ("for" in "for (…)"); "" for none.
std::string First_Name(const std::string& code);
