// The first stage: the compiler's output read once into records, one a
// message, each decoded to UTF-8 whichever language and code page the
// compiler spoke, with its quotes made uniform, and recognised: which shape
// of message it is, and the names it quotes.
#pragma once

#include <string>
#include <vector>

enum Severity { SEV_OTHER, SEV_NOTE, SEV_WARNING, SEV_ERROR };

struct Record {
  std::string file;  // the file (or program) it names first; "" for none
  int line = 0;      // 0 when it names no line
  int column = 0;    // 0 when it names no column
  Severity severity = SEV_OTHER;
  // What it says after its location and severity, in UTF-8 with uniform
  // quotes (see pattern.h), without GCC's "{aka …}" asides.
  std::string text;
  int shape = -1;                  // its entry in SHAPES; -1 when none fits
  std::vector<std::string> words;  // what the shape's pattern kept
  int function = 0;                // how many "In function …:" lines came before it
  // An error inside a header of the library, moved to the user's line that
  // made the library do it: the header it was in; "" for any other.
  std::string library_file;
};

// The compiler's output without colours and links, one Record a message;
// lines that show source code, carets, fix-its or the include chain are
// left out.
std::vector<Record> Read_Records(const std::string& output);

// Moves each error or warning inside a header of the library to the user's
// line it was "required from here" (the last of the chain before it in
// `users_files`, the user's file names), keeping the header's name.
void Trace_To_User(std::vector<Record>& records, const std::vector<std::string>& users_files);
