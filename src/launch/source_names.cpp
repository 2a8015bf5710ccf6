#include "launch/source_names.h"

#include <algorithm>
#include <map>

#include "common/names.h"

namespace {

struct Token {
  bool text;         // a string literal, its content in `word`
  std::string word;  // an identifier, a literal's content, or one punctuation character
};

// Identifiers, string literals and punctuation, with comments and character
// literals left out. Escapes in literals are kept as they are: a name that
// needs one is no bare name.
std::vector<Token> Tokens(const std::string& s) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (s.compare(i, 2, "//") == 0) {
      i = s.find('\n', i);
    } else if (s.compare(i, 2, "/*") == 0) {
      i = s.find("*/", i + 2);
      if (i != std::string::npos) i += 2;
    } else if (c == '"' || c == '\'') {
      size_t end = i + 1;
      while (end < s.size() && s[end] != c && s[end] != '\n') end += s[end] == '\\' ? 2 : 1;
      if (c == '"') tokens.push_back({true, s.substr(i + 1, std::min(end, s.size()) - i - 1)});
      i = end + 1;
    } else if (Word_Char(c)) {
      size_t end = i;
      while (end < s.size() && Word_Char(s[end])) ++end;
      tokens.push_back({false, s.substr(i, end - i)});
      i = end;
    } else {
      if (c != ' ' && c != '\t' && c != '\n' && c != '\r') tokens.push_back({false, {c}});
      ++i;
    }
  }
  return tokens;
}

bool Bare_Name(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (unsigned char c : name)
    if (c < 0x20 || std::string("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
      return false;
  return true;
}

// A literal as the program sees it, for the few escapes a path may hold.
std::string Unescaped(const std::string& literal) {
  std::string text;
  for (size_t i = 0; i < literal.size(); ++i) {
    if (literal[i] == '\\' && i + 1 < literal.size()) ++i;
    text += literal[i];
  }
  return text;
}

void Add(std::vector<std::string>& names, const std::string& name) {
  if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

void Add_Name(Source_Names& names, const std::string& literal, bool reads) {
  std::string name = Unescaped(literal);
  if (name.compare(0, 5, "/dev/") == 0) return;  // a device, such as the terminal: no file
  if (name.find_first_of("/\\") != std::string::npos)
    Add(names.with_folder, name);
  else if (Bare_Name(name))
    Add(reads ? names.inputs : names.outputs, name);
}

}  // namespace

Source_Names Scan_Source(const std::string& source) {
  Source_Names names;
  std::vector<Token> t = Tokens(source);
  std::map<std::string, char> streams;  // stream variable -> 'i' input, 'o' output
  auto is = [&](size_t k, const char* word) {
    return k < t.size() && !t[k].text && t[k].word == word;
  };
  auto text = [&](size_t k) { return k < t.size() && t[k].text; };
  for (size_t k = 0; k < t.size(); ++k) {
    if ((is(k, "freopen") || is(k, "fopen")) && is(k + 1, "(") && text(k + 2) && is(k + 3, ",") &&
        text(k + 4)) {
      bool reads = t[k + 4].word.find_first_of("wa") == std::string::npos;
      Add_Name(names, t[k + 2].word, reads);
      if (!reads && is(k, "freopen") && is(k + 5, ",") && is(k + 6, "stdout") &&
          names.standard_output.empty() && Bare_Name(Unescaped(t[k + 2].word)))
        names.standard_output = Unescaped(t[k + 2].word);
    } else if (is(k, "ifstream") || is(k, "ofstream")) {
      char kind = t[k].word[0];
      size_t at = k + 1;
      if (at < t.size() && !t[at].text && Word_Char(t[at].word[0])) streams[t[at++].word] = kind;
      if ((is(at, "(") || is(at, "{")) && text(at + 1))
        Add_Name(names, t[at + 1].word, kind == 'i');
    } else if (text(k + 4) && is(k + 1, ".") && is(k + 2, "open") && is(k + 3, "(") &&
               streams.count(t[k].word)) {
      Add_Name(names, t[k + 4].word, streams[t[k].word] == 'i');
    }
  }
  return names;
}
