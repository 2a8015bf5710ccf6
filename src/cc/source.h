// The user's source file as the hints read it: its lines, and the same lines
// as code alone, where a fault is looked for when the compiler points
// elsewhere.
#pragma once

#include <string>
#include <vector>

#include "common/names.h"  // Word_Char, Lower, Base_Name

struct Source {
  std::string path;                // as the compiler was given it
  std::string name;                // its file name, as the hints name it
  std::string text;                // its bytes
  std::vector<std::string> lines;  // its lines without line ends; line 1 first
  // The same lines, byte for byte as long, with comments and what stands
  // inside string and character literals made blanks: only code is left,
  // and the quotes around each literal.
  std::vector<std::string> code;
  bool gbk = false;        // it is not UTF-8, so it is read as GBK
  int first_gbk_line = 0;  // the first line that is not UTF-8, when gbk
  // When gbk, the first line with GBK text inside a literal: text the
  // program prints, which a UTF-8 console shows garbled. 0 for none.
  int gbk_text_line = 0;
};

Source Make_Source(const std::string& path, const std::string& text);

// The code of a line without blanks at either end; "" out of range.
std::string Code_Of(const Source& source, int line);

// The nearest line before (or after) `line` that holds code; 0 for none.
int Code_Line_Before(const Source& source, int line);
int Code_Line_After(const Source& source, int line);

// The first line up to `until` where `name` stands as a name in the code; 0 for none.
int First_Mention(const Source& source, const std::string& name, int until);

// How far a line's code is indented, in columns (a tab to the next
// multiple of 8, as the compiler counts); -1 for a line without code.
int Indent_Of(const Source& source, int line);

// The byte of a line at the compiler's column (tabs to the next multiple of
// 8, a Chinese character two wide); the line's length past its end.
size_t Byte_At(const Source& source, int line, int column);

// Where `word` stands as a whole name in `code`, from `from` on; npos for nowhere.
size_t Find_Name(const std::string& code, const std::string& word, size_t from = 0);

// The name that starts at `at` in `code`; "" when none does.
std::string Name_At(const std::string& code, size_t at);
