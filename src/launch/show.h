// A line of a program's input or output, made fit to show on one console
// line, with every character that could pass for another told apart.
#pragma once

#include <string>
#include <vector>

// `line` as it may be shown: as it is when it is UTF-8, else read as GBK;
// control characters and bytes that are no text as escapes ("\t", "\x1B");
// a hidden character (see Hidden_Name) as "<U+3000>"; at most `columns`
// columns wide, cut with "…". When byte `focus` would be out of view, the
// text starts a little before it, after a "…".
std::string Show_Line(const std::string& line, size_t focus, int columns);

// The Chinese name of a character that passes for a plain space or for
// nothing though it is neither (U+3000 全角空格, U+200B 零宽空格), or that
// would steer the console (C1 controls, text-direction marks); "" for any
// other.
std::string Hidden_Name(int code_point);

// The hidden characters of `line`, each once, in the order they come.
std::vector<int> Hidden_Characters(const std::string& line);

// "<U+3000>": how Show_Line writes a hidden character.
std::string Hidden_Text(int code_point);

enum Encoding {
  ENCODING_ASCII,  // no byte past 0x7F: the same in every encoding
  ENCODING_UTF8,
  ENCODING_GBK,
  ENCODING_OTHER,  // neither: bytes that are no text
};

// How the text is encoded, as far as its bytes tell.
Encoding Encoding_Of(const std::string& text);
