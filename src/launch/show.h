// A line of a program's input or output, made fit to show on one console line.
#pragma once

#include <string>

// `line` as it may be shown: as it is when it is UTF-8, else read as GBK;
// control characters and bytes that are no text as escapes ("\t", "\x1B");
// at most `columns` columns wide, cut with "…". When byte `focus` would be
// out of view, the text starts a little before it, after a "…".
std::string Show_Line(const std::string& line, size_t focus, int columns);
