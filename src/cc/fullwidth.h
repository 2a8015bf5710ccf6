// Full-width punctuation typed with a Chinese input method where C++ wants
// ASCII: found in the source itself, since the compiler notices it late.
#pragma once

#include <string>
#include <vector>

#include "cc/source.h"

struct Wide_Mark {
  int line;    // 1 for the first line
  int column;  // counted in characters, the first being 1
  int code;    // its code point
};

// Every full-width mark outside string and character literals (raw ones
// among them) and comments, in the order they stand.
std::vector<Wide_Mark> Find_Wide_Marks(const Source& source);

// The ASCII character to type instead of a full-width mark; 0 for a code
// point that is not one.
char Ascii_For(int code);
