// Small helpers for the bytes of a source file or a message: GBK characters
// and how alike two words are. UTF-8 characters are console/text.h's.
#pragma once

#include <string>

#include "console/text.h"

// The UTF-8 bytes of a code point.
std::string UTF8_Of(int code_point);

// The code point of the two-byte GBK character `lead`, `trail` when it is a
// punctuation mark or a full-width form; 0 for any other.
int GBK_Mark(unsigned char lead, unsigned char trail);

// How many single edits (a letter added, dropped, changed, or two side by
// side swapped) turn one word into the other.
int Edit_Distance(const std::string& a, const std::string& b);
