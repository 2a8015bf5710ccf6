// Reading source lines for code addresses: the addr2line of the binutils
// that come with every g++, found where the compiler companion finds g++.
#pragma once

#include <string>
#include <vector>

// One place in the source, as a program's debug information names it.
struct Source_Place {
  std::string function;  // as the symboliser gives it, such as "dfs(int)"; "" when unknown
  std::string file;      // the source file's path; "" when unknown
  int line;              // 0 when unknown
};

// The places of one code address: the innermost inlined function first,
// the function that holds the code last.
using Inline_Chain = std::vector<Source_Place>;

// A file name as text that can be shown: UTF-8 as it is, GBK converted, and
// any other byte (or a control character) as "\\xNN".
std::string File_Name_Text(const std::string& bytes);

// addr2line's answer to -a -f -i -C: one chain for each address it was asked
// about, in order. File names are taken as UTF-8, or as GBK when they are not.
// An inlined function named as the function it was inlined into is unnamed.
std::vector<Inline_Chain> Parse_Places(const std::string& answer);

// The chain of each address in `module`, asked of the symboliser `tool`.
// False when it cannot be asked or its answer does not fit, with why in `err`.
bool Read_Places(const std::string& tool, const std::string& module,
                 const std::vector<unsigned long long>& addresses,
                 std::vector<Inline_Chain>& chains, std::string* err);
