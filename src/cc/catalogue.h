// The situations the companion explains, kept as one table: what the compiler
// says, what it means, and what to do.
#pragma once

#include <cstddef>

// Where the fault lies, which is not always where the compiler points.
enum Fault_Place {
  AT_MESSAGE,     // the line the message names
  LINE_BEFORE,    // the line of the code before the message's position
  AT_NOTE,        // the line of the note that follows it ("to match this '{'")
  IF_SEMICOLON,   // the "if (…);" above the message
  FOR_COMMAS,     // the message's line, when it holds "for (…, …, …)"
  MAIN_MISSPELT,  // a function whose name is one slip away from main
  NO_PLACE,       // nowhere in the source: the options, the output file
};

struct Situation {
  // What the compiler says, in English and in GCC's Chinese catalogue: each
  // a pattern for the start of a message, where '{}' is one quoted name,
  // '{*}' any text that is kept, '*' any text, and 'x' a quoted x. The kept
  // parts are {1}, {2}… in the texts below. Up to six patterns.
  const char* says[6];
  // When not empty, one of the notes that follow the message must say this;
  // its kept parts come after the message's, and its line is {note}.
  const char* note_says;
  // When not empty, the first kept part must be one of these words.
  const char* names;
  // When not empty, the line where the fault lies must hold this text, or
  // one of the texts separated by '|'.
  const char* line_has;
  Fault_Place place;
  // A message about the program as a whole (from the driver or the linker)
  // rather than about a line of the user's file.
  bool whole_program;
  // One hint for each name ({1}) rather than one for each line; without a
  // name, one hint in all.
  bool per_name;
  // What it means and what to do, in plain Chinese. Besides {1}…, {note} is
  // the note's line, {exe} the program's file name, {header} the nearest
  // standard header's name, {keyword} the C++ word nearest to {1}, {found}
  // the name MAIN_MISSPELT found, {seen} the first earlier line where {1}
  // appears. A situation whose text needs
  // something that cannot be found does not apply.
  const char* means;
  const char* todo;
};

extern const Situation SITUATIONS[];
extern const size_t SITUATION_COUNT;

// The standard headers a beginner includes, for {header}, and the words of
// C++ a beginner types, for {keyword}.
extern const char* const HEADERS[];
extern const size_t HEADER_COUNT;
extern const char* const KEYWORDS[];
extern const size_t KEYWORD_COUNT;
