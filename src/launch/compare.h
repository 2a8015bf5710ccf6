// An output against its answer, judged as the judges do: CR LF and LF alike,
// a UTF-8 byte order mark ignored, spaces and tabs at the end of a line and
// blank lines at the end ignored; every other byte counts. With a tolerance,
// a line is its words, and two real numbers close enough are the same.
#pragma once

#include <string>

// How far a real number of the output may be from the answer's.
struct Tolerance {
  double absolute = 0;  // by at most this much; 0: no such allowance
  double relative = 0;  // by at most this share of the answer's; 0: none
  std::string text;     // the allowance as written, such as "1e-6"
};

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

Difference Compare_Output(const std::string& expected, const std::string& actual,
                          const Tolerance& tolerance = {});

// True when the text is a real number as programs print one: "-3", "0.25",
// "1e-6"; its value in `value`.
bool Read_Real(const std::string& text, double& value);

// True when the output differs from the answer only in real numbers that are
// less than 1e-6 apart: digits past the sixth decimal.
bool Differs_Past_Sixth_Decimal(const std::string& expected, const std::string& actual);
