// The Chinese hints written after the compiler's own output. They come out
// of five stages, each in its file, each handing its result to the next:
// records.cpp reads the compiler's output, causes.cpp groups it into
// causes, match.cpp finds the situations that may explain each, locate.cpp
// keeps the one the source bears out and finds where the fault lies, and
// phrase.cpp says it.
#pragma once

#include <string>
#include <vector>

#include "cc/source.h"

// The words on the command line that name source files: the files whose
// lines the hints speak of.
std::vector<std::string> Source_Paths(const std::vector<std::string>& args);

// The file name of the program the compiler is asked to write (after -o);
// "" when none is named.
std::string Output_Name(const std::vector<std::string>& args);

// The hints for a compile with the compiler's words `args` (its own name
// left out), everything it wrote in `output`, whether it failed, and the
// user's sources as read. "" when there is nothing to say.
std::string Hints(const std::vector<std::string>& args, const std::string& output, bool failed,
                  const std::vector<Source>& sources);
