// Which compiles a precompiled <bits/stdc++.h> can serve, and what it is made for.
#include "cc/pch.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

const char* const NO_PCH_OPTION = "--no-pch";
const char* const NO_PCH_VARIABLE = "TARNWICKSTONE_CC_NO_PCH";
const char* const PREPARE_WORD = "--tarnwickstone-prepare-pch";

namespace {

const size_t HEAD_BYTES = 64 << 10;  // how much of a source is read to find its first include

// Where g++ looks for headers besides its options: a header made under
// other values could be another header.
const char* const SEARCH_VARIABLES[] = {"CPATH", "CPLUS_INCLUDE_PATH", "C_INCLUDE_PATH",
                                        "GCC_EXEC_PREFIX", "COMPILER_PATH"};

bool Starts(const std::string& word, const char* prefix) {
  return word.rfind(prefix, 0) == 0;
}

// The endings by which g++ takes a file for C++ (it tells them by case, even on Windows).
bool Is_Cpp_Source(const std::string& word) {
  size_t dot = word.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ending = word.substr(dot + 1);
  for (const char* known : {"cpp", "cc", "cxx", "c++", "cp", "CPP", "C"})
    if (ending == known) return true;
  return false;
}

// Words that only the linker reads: the header is made without them.
bool Link_Only(const std::string& word) {
  if (Starts(word, "-l") || Starts(word, "-L") || Starts(word, "-Wl,")) return true;
  for (const char* option : {"-s", "-static", "-static-libgcc", "-static-libstdc++", "-shared",
                             "-no-pie", "-pie", "-rdynamic"})
    if (word == option) return true;
  return false;
}

// Parts of -f options that write files of their own, print more, or change
// how headers are read: with them a compile goes as it always went.
const char* const F_REFUSED[] = {"pch",
                                 "preprocessed",
                                 "directives-only",
                                 "dump",
                                 "syntax-only",
                                 "compare-debug",
                                 "profile",
                                 "coverage",
                                 "stack-usage",
                                 "callgraph-info",
                                 "report",
                                 "opt-info",
                                 "diagnostics-format",
                                 "optimization-record",
                                 "lto",
                                 "modules",
                                 "plugin",
                                 "deps",
                                 "working-directory"};

// Warning options that speak of headers or precompiled headers themselves,
// and words handed on to the preprocessor or the assembler.
const char* const W_REFUSED[] = {
    "-Winvalid-pch", "-Wno-invalid-pch", "-Wsystem-headers", "-Wmissing-include-dirs", "-Wp,",
    "-Wa,"};

// Options that a header is made with, and that change nothing else about the compile.
bool Shapes_Header(const std::string& word) {
  if (Starts(word, "-f")) {
    for (const char* part : F_REFUSED)
      if (word.find(part) != std::string::npos) return false;
    return true;
  }
  if (Starts(word, "-W")) {
    for (const char* refused : W_REFUSED)
      if (Starts(word, refused)) return false;
    return true;
  }
  for (const char* prefix : {"-std=", "-O", "-g", "-D", "-U", "-m"})
    if (Starts(word, prefix)) return true;
  for (const char* option :
       {"-ansi", "-w", "-pedantic", "-pedantic-errors", "-pthread", "-pipe", "-c"})
    if (word == option) return true;
  return false;
}

// `#include <bits/stdc++.h>` from `at`, with only blanks or a // comment after it.
bool Is_Stdcpp_Include(const std::string& line, size_t at) {
  const std::string blanks = " \t\f\v";
  if (line[at] != '#') return false;
  at = line.find_first_not_of(blanks, at + 1);
  if (at == std::string::npos || line.compare(at, 7, "include") != 0) return false;
  at = line.find_first_not_of(blanks, at + 7);
  if (at == std::string::npos || line.compare(at, 15, "<bits/stdc++.h>") != 0) return false;
  at = line.find_first_not_of(blanks, at + 15);
  return at == std::string::npos || line.compare(at, 2, "//") == 0;
}

// The value with its line ends and backslashes escaped: one line of the key.
std::string Escaped(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

// 64-bit FNV-1a: the key's name for its folder. The key itself is checked too.
std::string Hash_Name(const std::string& text) {
  uint64_t hash = 14695981039346656037ULL;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ULL;
  char name[17];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
  return name;
}

std::string Key_Of(const Pch_Plan& plan) {
  std::string key = "compiler " + Escaped(plan.compiler) + "\nsource " + Escaped(plan.source) +
                    "\nline " + std::to_string(plan.line) + "\ninclude " + Escaped(plan.include) +
                    "\n";
  for (const std::string& option : plan.options) key += "option " + Escaped(option) + "\n";
  for (const char* name : SEARCH_VARIABLES)
    key += std::string("env ") + name + "=" + Escaped(Environment_Variable(name)) + "\n";
  return key;
}

}  // namespace

int Stdcpp_Include_Line(const std::string& text, std::string& include) {
  bool in_comment = false;
  int number = 0;
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a BOM, as Notepad writes
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++number;
    // A continued line or a trigraph: rare, and GCC may warn of them.
    if ((!line.empty() && line.back() == '\\') || line.find("?\?/") != std::string::npos) return 0;
    for (size_t at = 0;;) {
      if (in_comment) {
        size_t close = line.find("*/", at);
        if (line.find("/*", at) < close) return 0;  // "/*" within a comment: -Wcomment
        if (close == std::string::npos) break;
        in_comment = false;
        at = close + 2;
        continue;
      }
      at = line.find_first_not_of(" \t\f\v", at);
      if (at == std::string::npos || line.compare(at, 2, "//") == 0) break;
      if (line.compare(at, 2, "/*") == 0) {
        in_comment = true;
        at += 2;
        continue;
      }
      if (!Is_Stdcpp_Include(line, at)) return 0;
      include = line;
      return number;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return 0;
}

bool Pch_Options(const std::vector<std::string>& args, Pch_Plan& plan) {
  plan.options.clear();
  plan.source.clear();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "-o") {
      if (++i == args.size()) return false;
    } else if (word == "-D" || word == "-U") {
      if (i + 1 == args.size()) return false;
      plan.options.push_back(word);
      plan.options.push_back(args[++i]);
    } else if (word.empty() || word[0] != '-') {
      if (!plan.source.empty() || !Is_Cpp_Source(word)) return false;
      plan.source = word;
    } else if (!Starts(word, "-o") && !Link_Only(word)) {
      if (!Shapes_Header(word)) return false;
      plan.options.push_back(word);
    }
  }
  return !plan.source.empty();
}

bool Plan_Pch(const std::string& compiler, const std::vector<std::string>& args, Pch_Plan& plan) {
  plan = Pch_Plan();
  plan.compiler = compiler;
  std::string cache = User_Cache_Folder();
  if (cache.empty() || !Pch_Options(args, plan)) return false;
  std::string head, why;
  if (!Read_Bytes(plan.source, HEAD_BYTES, head, &why)) return false;
  if (head.size() == HEAD_BYTES) head.erase(head.rfind('\n') + 1);  // no line cut in two
  plan.line = Stdcpp_Include_Line(head, plan.include);
  if (plan.line == 0) return false;
  plan.key = Key_Of(plan);
  plan.entry =
      cache + SEPARATOR + "tarnwickstone" + SEPARATOR + "pch" + SEPARATOR + Hash_Name(plan.key);
  return true;
}
