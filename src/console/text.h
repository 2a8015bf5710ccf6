// UTF-8 text as the console shows it: where characters start and end, and how
// wide they are; and the lines and ends of a text. A leaf with no pages behind it, shared by the
// pages and the companions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Console columns a text takes: 1 for ASCII, 2 for a Chinese character or
// full-width mark.
int Display_Width(const std::string& text);

// The number of bytes of the UTF-8 character at `at`; 0 when the bytes there
// are not one (overlong forms and surrogates included).
size_t UTF8_Length(const std::string& text, size_t at);

// True when the whole text is UTF-8 (plain ASCII is).
bool Is_UTF8(const std::string& text);

// The code point of the UTF-8 character of `length` bytes at `at`.
int Code_Point(const std::string& text, size_t at, size_t length);

// Whether `head` stands in `text` at byte `at`.
bool Starts_With(const std::string& text, size_t at, const char* head);

// Whether the text ends with `tail`.
bool Ends_In(const std::string& text, const std::string& tail);

// The lines of a text, without their '\n' or "\r\n": the part after the
// last '\n' is a line too, empty when the text ends with one.
std::vector<std::string> Split_Lines(const std::string& text);
