// The Chinese hints written after the compiler's own output: at most five,
// the most useful first, one for each cause.
#pragma once

#include <string>
#include <vector>

#include "cc/source.h"

const size_t MOST_HINTS = 5;

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
