#include "cc/diagnostics.h"

#include <cstring>

#include "cc/text.h"

namespace {

struct Severity_Word {
  const char* word;  // as it follows the location, with its colon
  Severity severity;
};

// GCC's words in English, in its Chinese catalogue, and that catalogue's
// words in GBK, as a compiler on a Chinese Windows may print them.
const Severity_Word SEVERITY_WORDS[] = {
    {"error: ", SEV_ERROR},
    {"fatal error: ", SEV_ERROR},
    {"warning: ", SEV_WARNING},
    {"note: ", SEV_NOTE},
    {"错误：", SEV_ERROR},
    {"致命错误：", SEV_ERROR},
    {"警告：", SEV_WARNING},
    {"附注：", SEV_NOTE},
    {"\xB4\xED\xCE\xF3\xA3\xBA", SEV_ERROR},
    {"\xD6\xC2\xC3\xFC\xB4\xED\xCE\xF3\xA3\xBA", SEV_ERROR},
    {"\xBE\xAF\xB8\xE6\xA3\xBA", SEV_WARNING},
    {"\xB8\xBD\xD7\xA2\xA3\xBA", SEV_NOTE},
};

bool Starts_With(const std::string& text, size_t at, const char* head) {
  return text.compare(at, std::strlen(head), head) == 0;
}

// The text without terminal escapes: colours (ESC [ … m) and links (ESC ] … BEL
// or ESC \), which the compiler writes when it sees a terminal.
std::string Without_Escapes(const std::string& text) {
  std::string plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\x1b' || i + 1 >= text.size()) {
      plain += text[i];
    } else if (text[i + 1] == '[') {
      i += 2;
      while (i < text.size() && !(text[i] >= 0x40 && text[i] <= 0x7E)) ++i;
    } else if (text[i + 1] == ']') {
      for (i += 2; i < text.size() && text[i] != '\a'; ++i)
        if (text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '\\') {
          ++i;
          break;
        }
    }
  }
  return plain;
}

// Lines that only show the user's code: "    5 |   cin >> a;", "      |   ^~~",
// "  +++ |+#include <cstring>", and the include chain.
bool Shows_Code(const std::string& line) {
  size_t at = line.find_first_not_of(' ');
  if (at == std::string::npos) return true;
  if (Starts_With(line, 0, "In file included from ") || Starts_With(line, at, "from ")) return true;
  if (Starts_With(line, at, "+++ |")) return true;
  while (at < line.size() && line[at] >= '0' && line[at] <= '9') ++at;
  while (at < line.size() && line[at] == ' ') ++at;
  return at < line.size() && line[at] == '|';
}

// Reads digits at `at`; false when there are none.
bool Read_Number(const std::string& text, size_t& at, int& number) {
  size_t start = at;
  long long value = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 9)
    value = value * 10 + (text[at++] - '0');
  number = static_cast<int>(value);
  return at > start;
}

// "FILE:LINE:COLUMN: " or "FILE:LINE: " at the start of the line; a drive's
// colon ("C:\…") is part of the file. Gives where the rest begins, or 0.
size_t Read_Location(const std::string& line, Diagnostic& d) {
  for (size_t colon = line.find(':'); colon != std::string::npos && colon > 0;
       colon = line.find(':', colon + 1)) {
    size_t at = colon + 1;
    int number = 0, column = 0;
    if (!Read_Number(line, at, number) || at >= line.size() || line[at] != ':') continue;
    ++at;
    size_t after_line = at;
    if (Read_Number(line, at, column) && at < line.size() && line[at] == ':')
      ++at;
    else
      at = after_line, column = 0;
    if (at < line.size() && line[at] != ' ') continue;
    d.file = line.substr(0, colon);
    d.line = number;
    d.column = column;
    return at < line.size() ? at + 1 : at;
  }
  return 0;
}

Diagnostic Read_Line(const std::string& line) {
  Diagnostic d;
  d.whole = line;
  size_t at = Read_Location(line, d);
  if (at == 0) {
    // "g++: error: …", "collect2: error: …": a program names itself instead.
    size_t colon = line.find(": ");
    if (colon != std::string::npos && line.find(' ') > colon) {
      at = colon + 2;
      d.file = line.substr(0, colon);
    }
  }
  for (const Severity_Word& word : SEVERITY_WORDS)
    if (Starts_With(line, at, word.word)) {
      d.severity = word.severity;
      at += std::strlen(word.word);
      break;
    }
  d.text = line.substr(at);
  return d;
}

}  // namespace

std::string Uniform_Quotes(const std::string& text) {
  bool gbk = !Is_UTF8(text);
  const char* open_mark = gbk ? "\xA1\xAE" : "\xE2\x80\x98";
  const char* close_mark = gbk ? "\xA1\xAF" : "\xE2\x80\x99";
  // In the C locale GCC quotes 'x' on both sides, so a plain ' opens and
  // closes in turn; beside real quote marks it is a character of the text.
  bool marks = text.find(open_mark) != std::string::npos;
  std::string out;
  out.reserve(text.size());
  size_t open_at = std::string::npos;  // a plain quote still waiting for its close
  char open_char = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    // Both marks begin with the same byte; only there is a comparison worth its cost.
    if (text[i] == open_mark[0] &&
        (Starts_With(text, i, open_mark) || Starts_With(text, i, close_mark))) {
      out += Starts_With(text, i, open_mark) ? QUOTE_OPEN : QUOTE_CLOSE;
      i += std::strlen(open_mark) - 1;
    } else if (text[i] == '`' || (text[i] == '\'' && open_at == std::string::npos && !marks)) {
      open_at = out.size();  // the linker's `x', or the C locale's 'x'
      open_char = text[i];
      out += QUOTE_OPEN;
    } else if (text[i] == '\'' && open_at != std::string::npos) {
      open_at = std::string::npos;
      out += QUOTE_CLOSE;
    } else {
      out += text[i];
    }
  }
  if (open_at != std::string::npos) out[open_at] = open_char;  // a lone quote is no quote
  return out;
}

std::vector<Diagnostic> Read_Diagnostics(const std::string& output) {
  std::string plain = Without_Escapes(output);
  std::vector<Diagnostic> list;
  size_t start = 0;
  while (start < plain.size()) {
    size_t end = plain.find('\n', start);
    if (end == std::string::npos) end = plain.size();
    std::string line = plain.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Shows_Code(line)) continue;
    list.push_back(Read_Line(Uniform_Quotes(line)));
  }
  return list;
}
