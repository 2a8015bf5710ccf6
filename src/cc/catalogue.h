// What the companion knows, kept as data: the shapes of the compiler's
// messages (what it says, and what that means in Chinese), and the
// situations behind them (what is wrong, where, and what to do).
#pragma once

#include <cstddef>
#include <string>

// How a message weighs, which decides whether it stands for a cause.
enum Shape_Kind {
  HARMLESS,  // a warning about style (an unused variable): never a cause
  CLUE,      // a warning that only helps to explain an error on its line
  WARNING,   // a warning about a real fault: a cause even when it compiles
  LEXICAL,   // an error met while reading characters, reported before the rest
  SYNTAX,    // an error in the grammar
  MEANING,   // an error in what the code means: names, types, calls
  PROGRAM,   // about the program as a whole: the driver, the linker
  NOTE,      // a note that follows a message
};

struct Shape {
  const char* id;
  // What the compiler says, in English and in GCC's Chinese catalogue: each
  // a pattern for the start of a message, where '{}' is one quoted name,
  // '{*}' any text, both kept as {1}, {2}… in order, '*' any text not kept,
  // and 'x' a quoted x.
  const char* says[6];
  Shape_Kind kind;
  // The compiler loses its way after it: the errors that follow it in the
  // same function are taken as its consequences.
  bool derails;
  // What the message says, in plain Chinese, for a message that no
  // situation explains; "" when it needs no words of its own.
  const char* explains;
};

// What must hold in the source (or in the message's words) for a situation
// to apply, and where the fault lies then.
enum Clue {
  AT_MESSAGE,           // the message's line
  NO_PLACE,             // nowhere in the source: the options, the output file
  AT_NOTE,              // the line of the note it needs
  NOTE_IN_LIBRARY,      // the message's line, when the note it needs is in a header of the library
  UNSET_ACCUMULATOR,    // the note's line, when a variable declared there is first added to
  LINE_BEFORE,          // the line of the code before the message's position
  FOR_COMMAS,           // the line holds "for (…, …, …)"
  ELSE_CONDITION,       // the line holds "else (…)"
  MISSING_SHIFT,        // two items of a cout with no << between them
  MISSING_EXTRACT,      // two items of a cin with no >> between them
  NO_PARENTHESES,       // if, while, for or switch with no ( after it
  HEADER_SEMICOLON,     // "int main();" above a "{"
  STRUCT_END,           // the "}" of a struct above, without its ";"
  OPEN_PARENTHESIS,     // the statement has more ( than )
  CLOSE_PARENTHESIS,    // the statement has more ) than (
  UNCLOSED_BRACE,       // the "{" whose "}" is missing
  EXTRA_BRACE,          // the "}" that ends a function too early
  CLAUSE_SEMICOLON,     // the if/for/while of a message ends in ";"
  CLAUSE_NO_BRACES,     // the if/for/while of a message guards one statement only
  IF_SEMICOLON,         // the if before an else ends in ";"
  IF_OF_ELSE,           // the if before an else
  QUOTE_IN_STRING,      // a " inside a string ends it early
  LOOP_VARIABLE,        // a name declared in a for (…); whose ";" ends the loop
  NEAR_CASE,            // a name that differs from a known one in case only
  NEAR_LOOKALIKE,       // … in 1 for l or 0 for o
  NEAR_TYPO,            // … in one slip of the keyboard
  NOT_QUOTED,           // text that should have been in quotes
  DEFINED_LATER,        // a function defined further down
  IN_HEADER,            // a standard name whose header is not included
  STD_WITHOUT_USING,    // a standard name in a file without "using namespace std;"
  IN_OTHER_BLOCK,       // a name declared in a pair of { } already closed
  NEVER_DECLARED,       // a name that is nowhere declared
  DECLARED_AT,          // a function's declaration without a body, or the call
  LAST_VALUE,           // the last statement of a function computes a value
  MAIN_MISSPELT,        // a function whose name is one slip away from main
  SHADOWED,             // a variable of the same name as the function called
  VARIABLE_CALLED,      // a variable, no function, with ( after it
  FORMAT_NO_AMP,        // a scanf variable without &
  FORMAT_AMP,           // a printf value with &
  FORMAT_ARRAY_AMP,     // a char array read with &
  FORMAT_STRING,        // a std::string given to %s
  FORMAT_TYPE,          // a format that does not fit its variable's type
  CIN_COMMA,            // a cin whose variables are separated by commas
  NEAREST_HEADER,       // a misspelt header near a standard one
  MACRO_FAULT,          // the line uses a macro whose definition ends in ";" or starts with "="
  DECLARED_NOWHERE,     // a name no line of the source holds but where it is reported
  AFTER_STRING,         // the message's position follows a string literal
  COMMENT_SWALLOWED,    // the name was declared on a line that a // comment ending in a backslash
                        // swallowed
  UNBALANCED,           // the line's code opens more of the bracket than it closes
  MEMBER_CALLED,        // a member's name, not a function's, right before the "(" of a call
  OPERAND_MISSING,      // an operator right before where a value was expected
  TYPE_AS_VALUE,        // a template's type ("greater<int>") where a value was expected
  IF_EMPTY,             // the if before an else has no statement of its own
  VALUE_CALLED,         // a number or a ")" right before the "(" of a call
  NOT_STANDARD_MEMBER,  // the member named is no member of any standard container
  LIBRARY,              // the message is the library's, traced to the user's line
  LIBRARY_NO_LESS,      // … and the source writes no operator< at all
  LIBRARY_LESS_CONST,   // … and the source's operator< is no const member
  LIBRARY_COMPARATOR,   // … in the library's call of a comparator
  LIBRARY_TWO_ONLY,     // … and the user's line calls max or min
};

struct Situation {
  const char* id;
  const char* shapes;  // the messages it explains: shape ids, blank-separated
  // The note that must follow: shape ids, blank-separated, one of which
  // must fit ("" for none). Its kept parts are {n1}, {n2}…, its line {note}.
  const char* note;
  // Conditions on the kept parts, blank-separated: "1=a|b" part 1 is a or
  // b, "2~x|y" part 2 holds x or y, "2!x" part 2 does not hold x.
  const char* words;
  Clue clue;
  // Said once for each distinct filling of this text ("" for once a line).
  const char* once;
  // What it means and what to do, in plain Chinese. Besides {1}… and the
  // note's, the clue's findings fill {near} (the name meant), {header},
  // {seen} (an earlier line), {later} (a later line), {found}, {arg},
  // {type}, {right} and {word}; {exe} is the program's file name. A
  // situation whose text needs something that cannot be found does not apply.
  const char* means;
  const char* todo;
};

extern const Shape SHAPES[];
extern const size_t SHAPE_COUNT;
// The situations, in the order they are tried: index 0 to Situation_Count() - 1.
const Situation& Situation_At(size_t index);
size_t Situation_Count();

// The standard headers a beginner includes, the words of C++ a beginner
// types, and the standard names a beginner uses: what a slip is measured
// against.
extern const char* const HEADERS[];
extern const size_t HEADER_COUNT;
extern const char* const KNOWN_NAMES[];
extern const size_t KNOWN_NAME_COUNT;
// The standard names that need std:: or "using namespace std;" (printf and
// sqrt do not), blank-separated.
extern const char* const STD_ONLY_NAMES;
// The members of the standard containers, blank-separated: a name among them
// is no slip of another.
extern const char* const STANDARD_MEMBERS;

// The header that declares a standard name a beginner uses ("<cmath>");
// "" when it is not known.
std::string Header_Of(const std::string& name);
