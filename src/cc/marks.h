// Characters in the code that C++ does not take and the compiler notices
// late or names badly: full-width punctuation typed with a Chinese input
// method, and the invisible characters that come with code copied from a
// web page. Found in the source itself.
#pragma once

#include <string>
#include <vector>

#include "cc/source.h"

struct Mark {
  int line;          // 1 for the first line
  int column;        // counted in characters, the first being 1
  int code;          // its code point
  bool invisible;    // not full-width punctuation but a character one cannot see
  std::string name;  // the name it stands inside, without it ("sum" for "s​um"); "" for none
};

// Every such character outside string and character literals and comments,
// in the order they stand; a byte-order mark at the very start is none.
std::vector<Mark> Find_Marks(const Source& source);

// The ASCII character to type instead of a full-width mark; 0 for a code
// point that is not one.
char Ascii_For(int code);

// An invisible character's name in Chinese words ("零宽空格（U+200B）"); ""
// for a code point that is not one.
std::string Invisible_Name(int code);
