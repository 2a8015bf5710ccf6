#include "cc/records.h"

#include <algorithm>
#include <cstring>

#include "cc/catalogue.h"
#include "cc/pattern.h"
#include "cc/text.h"
#include "common/names.h"
#include "platform/platform.h"

namespace {

struct Severity_Word {
  const char* word;  // as it follows the location, with its colon
  Severity severity;
};

// GCC's words in English and in its Chinese catalogue.
const Severity_Word SEVERITY_WORDS[] = {
    {"error: ", SEV_ERROR},  {"fatal error: ", SEV_ERROR}, {"warning: ", SEV_WARNING},
    {"note: ", SEV_NOTE},    {"错误：", SEV_ERROR},        {"致命错误：", SEV_ERROR},
    {"警告：", SEV_WARNING}, {"附注：", SEV_NOTE},
};

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

// True when the text holds a character of three UTF-8 bytes (Chinese is
// such): GBK text seldom does, so where it does, the text is UTF-8.
bool Has_UTF8_Chinese(const std::string& text) {
  for (size_t at = 0; at < text.size(); ++at)
    if (static_cast<unsigned char>(text[at]) >= 0xE0 && UTF8_Length(text, at) == 3) return true;
  return false;
}

// A run of bytes as GBK, the code page of a Chinese Windows console, unless
// it is UTF-8 Chinese; what is neither becomes '?', never bytes a reader
// cannot see.
std::string Decoded_Run(const std::string& run) {
  std::string text;
  if (Is_UTF8(run) && (Has_UTF8_Chinese(run) || !Decode_GBK(run, text))) return run;
  if (Decode_GBK(run, text) && Is_UTF8(text)) return text;
  return std::string(run.size(), '?');
}

// A line that is not UTF-8: GBK as a whole, or piece by piece where a GBK
// message quotes a name or a file in UTF-8. The pieces are split at ASCII
// and at GBK's quote marks, the only places where the two meet.
std::string Decoded_Line(const std::string& line) {
  std::string out, run;
  if (!Has_UTF8_Chinese(line) && Decode_GBK(line, out) && Is_UTF8(out)) return out;
  out.clear();
  for (size_t i = 0; i < line.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(line[i]);
    bool quote =
        c == 0xA1 && i + 1 < line.size() && (line[i + 1] == '\xAE' || line[i + 1] == '\xAF');
    if (c < 0x80 || quote) {
      out += Decoded_Run(run);
      run.clear();
      out += !quote                  ? std::string(1, line[i])
             : line[i + 1] == '\xAE' ? "\xE2\x80\x98"
                                     : "\xE2\x80\x99";
      i += quote ? 1 : 0;
    } else {
      run += line[i];
    }
  }
  return out + Decoded_Run(run);
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
size_t Read_Location(const std::string& line, Record& r) {
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
    r.file = line.substr(0, colon);
    r.line = number;
    r.column = column;
    return at < line.size() ? at + 1 : at;
  }
  return 0;
}

// The text without GCC's asides on what a type stands for: " {aka 'long int'}".
std::string Without_Aka(std::string text) {
  const std::string aka = std::string(" {aka ") + QUOTE_OPEN;
  for (size_t at = text.find(aka); at != std::string::npos; at = text.find(aka, at)) {
    size_t end = text.find(std::string(1, QUOTE_CLOSE) + "}", at);
    if (end == std::string::npos) break;
    text.erase(at, end + 2 - at);
  }
  return text;
}

Record Read_Line(const std::string& line) {
  Record r;
  size_t at = Read_Location(line, r);
  if (at == 0) {
    // "g++: error: …", "collect2: error: …": a program names itself instead.
    size_t colon = line.find(": ");
    if (colon != std::string::npos && line.find(' ') > colon) {
      at = colon + 2;
      r.file = line.substr(0, colon);
    }
  }
  for (const Severity_Word& word : SEVERITY_WORDS)
    if (Starts_With(line, at, word.word)) {
      r.severity = word.severity;
      at += std::strlen(word.word);
      break;
    }
  if (r.severity == SEV_NOTE) at = line.find_first_not_of(' ', at);
  r.text = Without_Aka(line.substr(at == std::string::npos ? line.size() : at));
  return r;
}

// The shapes a record may have: notes have their own, and only a message
// with no line of its own, or the linker's, speaks of the program as a whole.
bool May_Have(const Record& r, Shape_Kind kind) {
  if (r.severity == SEV_NOTE) return kind == NOTE;
  if (kind == NOTE) return false;
  return (kind == PROGRAM) == (r.line == 0 || r.severity == SEV_OTHER);
}

// The patterns of every shape, with their quotes made uniform once.
const std::vector<std::vector<std::string>>& Patterns() {
  static const std::vector<std::vector<std::string>> patterns = [] {
    std::vector<std::vector<std::string>> all(SHAPE_COUNT);
    for (size_t i = 0; i < SHAPE_COUNT; ++i)
      for (const char* says : SHAPES[i].says)
        if (says != nullptr) all[i].push_back(Uniform_Quotes(says));
    return all;
  }();
  return patterns;
}

void Recognise(Record& r) {
  for (size_t i = 0; i < SHAPE_COUNT && r.shape < 0; ++i) {
    if (!May_Have(r, SHAPES[i].kind)) continue;
    for (const std::string& pattern : Patterns()[i])
      if (Match_Pattern(pattern, r.text, r.words)) {
        r.shape = static_cast<int>(i);
        break;
      }
  }
}

}  // namespace

void Trace_To_User(std::vector<Record>& records, const std::vector<std::string>& users_files) {
  const Record* here = nullptr;  // the last line of an instantiation chain in the user's file
  for (Record& r : records) {
    bool users = r.line > 0 && std::find(users_files.begin(), users_files.end(),
                                         Base_Name(r.file)) != users_files.end();
    if (r.severity == SEV_OTHER && users) {
      here = &r;
    } else if (r.severity >= SEV_WARNING && r.line > 0 && !users && here != nullptr) {
      r.library_file = r.file;
      r.file = here->file;
      r.line = here->line;
      r.column = here->column;
    } else if (r.severity >= SEV_WARNING) {
      here = nullptr;
    }
  }
}

std::vector<Record> Read_Records(const std::string& output) {
  std::string plain = Without_Escapes(output);
  std::string gbk;
  // A compiler on a Chinese Windows writes all it says in GBK: one decoding.
  if (!Is_UTF8(plain) && !Has_UTF8_Chinese(plain) && Decode_GBK(plain, gbk) && Is_UTF8(gbk))
    plain = gbk;
  std::vector<Record> list;
  int function = 0;
  for (size_t start = 0, end = 0; start < plain.size(); start = end + 1) {
    end = plain.find('\n', start);
    if (end == std::string::npos) end = plain.size();
    std::string line = plain.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Shows_Code(line)) continue;
    if (!Is_UTF8(line)) line = Decoded_Line(line);
    Record r = Read_Line(Uniform_Quotes(line));
    if (r.severity == SEV_OTHER && r.line == 0 && !r.text.empty() && r.text.back() == ':')
      ++function;
    r.function = function;
    Recognise(r);
    list.push_back(r);
  }
  return list;
}
