// Small helpers for the bytes of a source file or a message: GBK characters,
// the width of a character as the compiler counts it, and how alike two words
// are. UTF-8 characters are console/text.h's.
#pragma once

#include <string>

#include "console/text.h"

// The UTF-8 bytes of a code point.
std::string UTF8_Of(int code_point);

// The code point of the two-byte GBK character `lead`, `trail` when it is a
// punctuation mark or a full-width form; 0 for any other.
int GBK_Mark(unsigned char lead, unsigned char trail);

// The columns a character takes on a console, as the compiler counts them:
// 2 for Chinese characters and full-width forms, 1 for the rest.
int Display_Width(int code_point);

// How many single edits (a letter added, dropped, changed, or two side by
// side swapped) turn one word into the other.
int Edit_Distance(const std::string& a, const std::string& b);
