// The user's source file as the hints need it, and where in it a fault lies
// when the compiler points elsewhere.
#pragma once

#include <string>
#include <vector>

struct Source {
  std::string path;                // as the compiler was given it
  std::string name;                // its file name, as the hints name it
  std::string text;                // its bytes
  std::vector<std::string> lines;  // its lines without line ends; line 1 first
  bool gbk = false;                // it is not UTF-8, so it is read as GBK
  int first_gbk_line = 0;          // the first line that is not UTF-8, when gbk
};

Source Make_Source(const std::string& path, const std::string& text);

// The line of the last code before the compiler's position (line, column):
// the line that lacks a ';' when the compiler noticed only at the next token.
int Line_Before(const Source& source, int line, int column);

// The nearest line at or above `line` that holds "if (…);": an if that
// ends at its own semicolon. 0 when there is none close by.
int If_With_Semicolon(const Source& source, int line);

// `line` when it holds a for whose parentheses are split by commas where
// semicolons belong: "for (int i = 0, i < n, i++)". 0 otherwise.
int For_With_Commas(const Source& source, int line);

// A function defined with a name one slip away from "main" ("mian",
// "Main"): its line, and the name in `name`. 0 when there is none.
int Main_Misspelt(const Source& source, std::string& name);

// The first line before `line` where `word` appears as a whole word; 0 for none.
int First_Mention(const Source& source, const std::string& word, int line);
