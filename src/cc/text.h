// Small helpers for the bytes of a source file or a message: UTF-8 and GBK
// characters, their width on a console, and how alike two words are.
#pragma once

#include <string>

// The number of bytes of the UTF-8 character at `at`; 0 when the bytes there
// are not one.
size_t UTF8_Length(const std::string& text, size_t at);

// True when the whole text is UTF-8 (plain ASCII is).
bool Is_UTF8(const std::string& text);

// The code point of the UTF-8 character of `length` bytes at `at`.
int Code_Point(const std::string& text, size_t at, size_t length);

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
