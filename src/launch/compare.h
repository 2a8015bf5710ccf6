// An output against its answer, judged as the judges do: CR LF and LF alike,
// a UTF-8 byte order mark ignored, spaces and tabs at the end of a line and
// blank lines at the end ignored; every other byte counts.
#pragma once

#include <string>

struct Difference {
  bool same;              // the output is right
  long long line;         // the first line that differs, from 1
  std::string expected;   // that line of the answer, without its line end and trailing blanks
  std::string actual;     // that line of the output, the same way
  bool actual_missing;    // the output has no such line
  bool expected_missing;  // the answer has no such line
  size_t column;          // the first byte of the line where the two differ
  bool spacing_only;      // the two lines differ only in spaces and tabs
};

Difference Compare_Output(const std::string& expected, const std::string& actual);
