// The compiler's messages, read line by line: where each one points, how
// grave it is, and what it says, in a form that reads the same whichever
// language and quote marks the compiler used.
#pragma once

#include <string>
#include <vector>

#include "common/names.h"  // Base_Name, for the file a message names

enum Severity { SEV_OTHER, SEV_NOTE, SEV_WARNING, SEV_ERROR };

// Quoted names in a message's text are marked with these, whatever marks the
// compiler used ('x', `x', ‘x’, or ‘x’ in GBK).
const char QUOTE_OPEN = '\x01';
const char QUOTE_CLOSE = '\x02';

struct Diagnostic {
  std::string file;  // the file (or program) it names first; "" for none
  int line = 0;      // 0 when it names no line
  int column = 0;    // 0 when it names no column
  Severity severity = SEV_OTHER;
  std::string text;   // what it says after its location and severity
  std::string whole;  // the whole line, for messages that name no file
};

// The text with every quote mark as QUOTE_OPEN or QUOTE_CLOSE.
std::string Uniform_Quotes(const std::string& text);

// The compiler's output without colours and links, one Diagnostic a line;
// lines that show source code, carets, fix-its or the include chain are
// left out.
std::vector<Diagnostic> Read_Diagnostics(const std::string& output);
