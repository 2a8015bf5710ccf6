#include "launch/limits.h"

#include <cmath>
#include <cstdlib>

const long long DEFAULT_TIME_US = 1000000;
const long long DEFAULT_MEMORY_BYTES = 512LL << 20;
const long long DEFAULT_STRESS_ROUNDS = 1000;
const long long DEFAULT_STRESS_US = 60000000;
const long long DEFAULT_STRESS_SIZE = 100000;

namespace {

const size_t VALUE_REACH = 60;  // bytes between a keyword and its value, a line end among them

struct Unit {
  const char* name;  // in lower case
  double scale;      // of the limit's measure: microseconds, or bytes
};

// Longer names first, so that "ms" is never read as "m" and "s".
const Unit TIME_UNITS[] = {
    {"milliseconds", 1e3}, {"millisecond", 1e3}, {"msec", 1e3}, {"ms", 1e3}, {"毫秒", 1e3},
    {"seconds", 1e6},      {"second", 1e6},      {"sec", 1e6},  {"s", 1e6},  {"秒", 1e6}};
const Unit MEMORY_UNITS[] = {
    {"megabytes", 1 << 20}, {"megabyte", 1 << 20}, {"mib", 1 << 20},       {"mb", 1 << 20},
    {"m", 1 << 20},         {"兆", 1 << 20},       {"kilobytes", 1 << 10}, {"kilobyte", 1 << 10},
    {"kib", 1 << 10},       {"kb", 1 << 10},       {"k", 1 << 10},         {"gigabytes", 1 << 30},
    {"gigabyte", 1 << 30},  {"gib", 1 << 30},      {"gb", 1 << 30},        {"g", 1 << 30}};
// How long 对拍 may go on, and how many rounds: a count may stand alone.
const Unit STRESS_TIME_UNITS[] = {
    {"minutes", 6e7}, {"minute", 6e7}, {"min", 6e7}, {"分钟", 6e7}, {"分", 6e7},
    {"seconds", 1e6}, {"second", 1e6}, {"sec", 1e6}, {"s", 1e6},    {"秒", 1e6}};
const Unit ROUND_UNITS[] = {{"rounds", 1}, {"轮", 1}, {"次", 1}, {"", 1}};
const Unit SIZE_UNITS[] = {{"万", 1e4}, {"", 1}};

const char* const TIME_WORDS[] = {"时间限制", "时限", "时间上限", "time limit"};
const char* const MEMORY_WORDS[] = {"内存限制", "空间限制", "内存上限", "memory limit"};
const char* const TOLERANCE_WORDS[] = {"误差", "精度", "relative error", "absolute error"};
// What may stand between a tolerance's keyword and its number on a line that
// sets it ("绝对误差或相对误差不超过 $10^{-6}$"); longer first where one
// begins another. Any other word makes it a sentence that only mentions it.
const char* const TOLERANCE_JOINS[] = {
    "误差",   "精度",     "绝对",     "相对",     "或者",     "或",       "和",     "与",
    "的",     "要求",     "不得超过", "不能超过", "不应超过", "不可超过", "不超过", "不大于",
    "不高于", "小于等于", "小于",     "低于",     "至多",     "最多",     "控制在", "在",
    "为",     "是",       "允许",     "只要",     "需要",     "必须",     "应当",   "应该",
    "须",     "需",       "应",       "：",       "（",       "）",       "≤",      "＜",
    " ",      "\t",       ":",        "(",        ")",        "$",        "\\leq",  "\\le",
    "<=",     "<",        "=",        "范围",     "上限",     "最大",     "可以",   "等于",
    "不超出"};
// The same in English, each a whole word.
const char* const TOLERANCE_ENGLISH_JOINS[] = {
    "relative", "absolute", "error", "or",        "and",    "is",   "be",      "must",
    "should",   "does",     "not",   "exceeding", "exceed", "at",   "most",    "within",
    "less",     "than",     "up",    "to",        "no",     "more", "greater", "of"};
const char* const STRESS_ROUND_WORDS[] = {"对拍轮数", "对拍次数"};
const char* const STRESS_TIME_WORDS[] = {"对拍时间", "对拍时限", "对拍时长"};
const char* const STRESS_SIZE_WORDS[] = {"对拍规模"};
const std::string STRESS = "对拍";  // starts every keyword of 对拍, and no other

std::string Lower_ASCII(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool Digit(char c) {
  return c >= '0' && c <= '9';
}

bool Letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Where `w` first stands in `text` from `from` on, not as the end of a
// keyword of 对拍 ("对拍时限" holds "时限"); npos when nowhere.
size_t Find_Own(const std::string& text, const char* w, size_t from = 0) {
  size_t at = text.find(w, from);
  while (at != std::string::npos && at >= STRESS.size() &&
         text.compare(at - STRESS.size(), STRESS.size(), STRESS) == 0)
    at = text.find(w, at + 1);
  return at;
}

// Where the first of `words` in `text` (in lower case) from `from` on ends,
// and which it was; npos when none is there.
template <size_t N>
size_t Find_Word(const std::string& text, const char* const (&words)[N], std::string& word,
                 size_t from = 0) {
  size_t first = std::string::npos;
  for (const char* w : words) {
    size_t at = Find_Own(text, w, from);
    if (at < first) {
      first = at;
      word = w;
    }
  }
  return first == std::string::npos ? first : first + word.size();
}

template <size_t N>
bool One_Of_At(const std::string& text, size_t at, const char* const (&words)[N]) {
  for (const char* w : words)
    if (text.compare(at, std::string(w).size(), w) == 0) return true;
  return false;
}

// True when a keyword of another kind than `own` starts at `at`.
template <size_t N>
bool Other_Keyword_At(const std::string& text, size_t at, const char* const (&own)[N]) {
  if (One_Of_At(text, at, own)) return false;
  return One_Of_At(text, at, TIME_WORDS) || One_Of_At(text, at, MEMORY_WORDS) ||
         One_Of_At(text, at, TOLERANCE_WORDS) || One_Of_At(text, at, STRESS_ROUND_WORDS) ||
         One_Of_At(text, at, STRESS_TIME_WORDS) || One_Of_At(text, at, STRESS_SIZE_WORDS);
}

// The first digit after `at`, near enough and before a keyword of another
// kind, so that it is the value of the keyword of `own` just before.
template <size_t N>
size_t Value_Start(const std::string& text, size_t at, const char* const (&own)[N]) {
  int lines = 0;
  for (size_t i = at; i < text.size() && i < at + VALUE_REACH; ++i) {
    if (Digit(text[i])) return i;
    if ((text[i] == '\n' && ++lines > 1) || Other_Keyword_At(text, i, own)) break;
  }
  return std::string::npos;
}

// A plain number at `at` ("2", "0.5", "125.00"), with `at` moved past it.
bool Read_Number(const std::string& text, size_t& at, double& value) {
  size_t end = at;
  while (end < text.size() && (Digit(text[end]) || text[end] == '.')) ++end;
  char* stop = nullptr;
  std::string number = text.substr(at, end - at);
  value = std::strtod(number.c_str(), &stop);
  if (number.empty() || *stop != '\0') return false;
  at = end;
  return true;
}

// The number and unit at `at`, in the units' measure.
template <size_t N>
bool Read_Amount(const std::string& text, size_t at, const Unit (&units)[N], double& amount) {
  double number = 0;
  if (!Read_Number(text, at, number)) return false;
  if (at < text.size() && text[at] == '^') return false;  // "10^5" is no 10
  while (at < text.size() && text[at] == ' ') ++at;
  for (const Unit& unit : units) {
    std::string name = unit.name;
    if (text.compare(at, name.size(), name) != 0) continue;
    size_t after = at + name.size();
    if (after < text.size() && Letter(text[after])) continue;  // "s" is not "sample"
    amount = number * unit.scale;
    return true;
  }
  return false;
}

// The text at `at` in one spelling: an ASCII minus, a power as "^", and no
// braces, parentheses or superscripts ("10⁻⁶" and "10^{−6}" are "10^-6").
std::string Plain_Power(const std::string& text, size_t at) {
  static const char* const SUPERSCRIPTS[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string plain;
  while (at < text.size() && plain.size() < 24) {
    auto is = [&](const std::string& s) { return text.compare(at, s.size(), s) == 0; };
    bool matched = false;
    for (int d = 0; d < 10 && !matched; ++d) {
      if (!is(SUPERSCRIPTS[d])) continue;
      if (plain.find('^') == std::string::npos) plain += '^';
      plain += static_cast<char>('0' + d);
      at += std::string(SUPERSCRIPTS[d]).size();
      matched = true;
    }
    if (matched) continue;
    if (is("−") || is("⁻")) {  // the minus signs of typeset text
      if (plain.find('^') == std::string::npos && is("⁻")) plain += '^';
      plain += '-';
      at += 3;
      continue;
    }
    bool times = false;  // "5×10^-3", "5 \times 10^{-3}", "5*10^-3"
    for (const char* sign : {"×", "\\times", "*"})
      if (!times && is(sign)) {
        plain += 'x';
        at += std::string(sign).size();
        times = true;
      }
    if (times) continue;
    char c = text[at++];
    if (Digit(c) || c == '.' || c == '-' || c == '+' || c == 'e' || c == '^')
      plain += c;
    else if (c != '{' && c != '}' && c != '(' && c != ')' && c != ' ')
      break;
  }
  return plain;
}

// A small positive number at `at`: "10^-6", "10^{-6}", "10⁻⁶", "1e-6",
// "5×10^-3" or "0.000001"; `shown` gets it as "1e-6" or as written.
bool Read_Small(const std::string& text, size_t at, double& value, std::string& shown) {
  std::string t = Plain_Power(text, at);
  if (t.compare(0, 3, "10^") == 0) t = "1e" + t.substr(3);
  size_t times = t.find("x10^");
  if (times != std::string::npos) t.replace(times, 4, "e");
  while (!t.empty() && !Digit(t.back())) t.pop_back();
  char* stop = nullptr;
  value = std::strtod(t.c_str(), &stop);
  if (t.empty() || *stop != '\0' || !(value > 0 && value < 1)) return false;
  shown = t;
  return true;
}

// A keyword written in Chinese without a value understood is said; an
// English one, as likely part of a sentence about something else, is not.
void Note(Problem_Limits& limits, const std::string& source_name, const std::string& word,
          const std::string& example, const std::string& fallback) {
  if (static_cast<unsigned char>(word[0]) < 0x80) return;
  limits.notes.push_back(source_name + " 开头的注释里写了“" + word + "”，但没有看懂它的值（例如“" +
                         example + "”），" + fallback);
}

// One limit: where its keywords are, the units its value is written in,
// the range it may take, and the example and default said when it cannot
// be understood. What it sets, when it is understood.
template <size_t N, size_t M>
struct Limit_Words {
  const char* const (&words)[N];
  const Unit (&units)[M];
  double least, most;
  const char *example, *fallback;
};

template <size_t N, size_t M>
Limit_Words<N, M> Words_Of(const char* const (&words)[N], const Unit (&units)[M], double least,
                           double most, const char* example, const char* fallback) {
  return {words, units, least, most, example, fallback};
}

// A minus sign against the digit at `at` ("-1", "−2", "－3"): a limit
// below zero is not one, whatever its digits say.
bool Signed(const std::string& text, size_t at) {
  for (const char* minus : {"-", "\xE2\x88\x92", "\xEF\xBC\x8D"}) {
    size_t n = std::string(minus).size();
    if (at >= n && text.compare(at - n, n, minus) == 0) return true;
  }
  return false;
}

template <size_t N, size_t M>
void Read_Limit(const std::string& text, const Limit_Words<N, M>& limit, long long& value,
                bool& written, Problem_Limits& limits, const std::string& source_name) {
  std::string word;
  size_t at = Find_Word(text, limit.words, word);
  if (at == std::string::npos) return;
  size_t start = Value_Start(text, at, limit.words);
  double amount = 0;
  if (start != std::string::npos && !Signed(text, start) &&
      Read_Amount(text, start, limit.units, amount) && amount >= limit.least &&
      amount <= limit.most) {
    value = std::llround(amount);
    written = true;
  } else {
    Note(limits, source_name, word, limit.example, limit.fallback);
  }
}

// The length of the joining word at `at`, 0 when none is there.
size_t Join_At(const std::string& text, size_t at) {
  for (const char* join : TOLERANCE_JOINS)
    if (text.compare(at, std::string(join).size(), join) == 0) return std::string(join).size();
  for (const char* join : TOLERANCE_ENGLISH_JOINS) {
    size_t size = std::string(join).size();
    if (text.compare(at, size, join) == 0 && (at + size >= text.size() || !Letter(text[at + size])))
      return size;
  }
  return 0;
}

// Where the number of a tolerance keyword that ends at `at` starts, when
// only joining words lie between them, on its line or the next; npos when
// another word comes first, as in "注意精度误差……".
size_t Said_Value(const std::string& text, size_t at) {
  int lines = 0;
  for (size_t i = at; i < text.size() && i < at + VALUE_REACH;) {
    if (Digit(text[i])) return i;
    size_t join = text[i] == '\n' && ++lines <= 1 ? 1 : Join_At(text, i);
    if (join == 0) break;
    i += join;
  }
  return std::string::npos;
}

// Sets the tolerance from the first line that says it: "误差不超过 1e-6",
// "精度要求 10^-4". "绝对误差" allows a distance, "相对误差" a share; a plain
// "误差", or both words, either, as the judges' checkers read it. A number
// said but not understood gets a note; a mere mention, nothing.
void Read_Tolerance(const std::string& text, Problem_Limits& limits,
                    const std::string& source_name) {
  std::string word, misread;
  for (size_t from = 0;;) {
    size_t at = Find_Word(text, TOLERANCE_WORDS, word, from);
    if (at == std::string::npos) break;
    from = at;
    size_t value = Said_Value(text, at);
    double allowed = 0;
    std::string shown;
    if (value == std::string::npos) continue;
    if (!Read_Small(text, value, allowed, shown)) {
      if (misread.empty()) misread = word;
      continue;
    }
    // The words from the start of the line to the value: "绝对误差或相对误差不超过".
    size_t line = text.rfind('\n', at);
    line = line == std::string::npos ? 0 : line + 1;
    std::string phrase = text.substr(line, value - line);
    bool absolute =
        phrase.find("绝对") != std::string::npos || phrase.find("absolute") != std::string::npos;
    bool relative =
        phrase.find("相对") != std::string::npos || phrase.find("relative") != std::string::npos;
    if (!absolute && !relative) absolute = relative = true;
    limits.tolerance.absolute = absolute ? allowed : 0;
    limits.tolerance.relative = relative ? allowed : 0;
    limits.tolerance.text = shown;
    return;
  }
  if (!misread.empty()) Note(limits, source_name, misread, "误差 1e-6", "实数按原样比较");
}

// The problem's name from the statement's table of files, copied above the
// program: "输入文件名：expand.in" or "输出文件名 | expand.out" gives "expand".
// The words are found in `lower`, the name read from `text` as written; a
// sentence about the input ("输入文件的第一行") names nothing.
std::string Problem_Name(const std::string& text, const std::string& lower) {
  static const char* const FILE_WORDS[] = {"输入文件名", "输出文件名", "输入文件",
                                           "输出文件",   "input file", "output file"};
  for (size_t at = 0; at < lower.size(); ++at) {
    std::string word;
    for (const char* w : FILE_WORDS)
      if (word.empty() && lower.compare(at, std::string(w).size(), w) == 0) word = w;
    if (word.empty()) continue;
    size_t start = at + word.size();
    while (start < text.size() &&
           (std::string(" \t:|=").find(text[start]) != std::string::npos ||
            text.compare(start, 3, "：") == 0 || text.compare(start, 3, "为") == 0))
      start += static_cast<unsigned char>(text[start]) < 0x80 ? 1 : 3;
    size_t end = start;
    while (end < text.size() && (Letter(text[end]) || Digit(text[end]) ||
                                 std::string("_-.").find(text[end]) != std::string::npos))
      ++end;
    std::string name = text.substr(start, end - start), low = lower.substr(start, end - start);
    for (const char* suffix : {".in", ".out"}) {
      size_t n = std::string(suffix).size();
      if (name.size() > n && low.compare(name.size() - n, n, suffix) == 0 && name[0] != '.')
        return name.substr(0, name.size() - n);
    }
    at = end > at ? end - 1 : at;
  }
  return "";
}

}  // namespace

std::string Header_Comments(const std::string& s) {
  std::string comments;
  for (size_t i = 0; i < s.size();) {
    if (s.compare(i, 2, "//") == 0) {
      size_t end = std::min(s.find('\n', i), s.size());
      comments += s.substr(i + 2, end - i - 2) + "\n";
      i = end;
    } else if (s.compare(i, 2, "/*") == 0) {
      size_t end = std::min(s.find("*/", i + 2), s.size());
      comments += s.substr(i + 2, end - i - 2) + "\n";
      i = end + 2;
    } else if (s[i] == '"' || s[i] == '\'') {
      size_t end = i + 1;
      while (end < s.size() && s[end] != s[i] && s[end] != '\n') end += s[end] == '\\' ? 2 : 1;
      i = end + 1;
    } else if (s[i] == '{') {
      break;
    } else {
      ++i;
    }
  }
  return comments;
}

Problem_Limits Read_Limits(const std::string& source, const std::string& source_name) {
  Problem_Limits limits;
  std::string comments = Header_Comments(source), text = Lower_ASCII(comments);
  limits.problem_name = Problem_Name(comments, text);
  auto time = Words_Of(TIME_WORDS, TIME_UNITS, 1e3, 3600e6, "时间限制：1 秒", "按 1 秒算");
  auto memory = Words_Of(MEMORY_WORDS, MEMORY_UNITS, 1 << 20, 65536.0 * (1 << 20),
                         "内存限制：256 MB", "按 512 MB 算");
  auto rounds = Words_Of(STRESS_ROUND_WORDS, ROUND_UNITS, 1, 1e6, "对拍轮数：5000", "按 1000 轮算");
  auto stress_time = Words_Of(STRESS_TIME_WORDS, STRESS_TIME_UNITS, 1e6, 86400e6,
                              "对拍时间：120 秒", "按 60 秒算");
  auto size =
      Words_Of(STRESS_SIZE_WORDS, SIZE_UNITS, 1, 1e9, "对拍规模：100000", "最大按 100000 算");
  Read_Limit(text, time, limits.time_us, limits.time_written, limits, source_name);
  Read_Limit(text, memory, limits.memory_bytes, limits.memory_written, limits, source_name);
  Read_Tolerance(text, limits, source_name);
  bool written = false;  // said where 对拍 is announced
  Read_Limit(text, rounds, limits.stress_rounds, written, limits, source_name);
  Read_Limit(text, stress_time, limits.stress_us, written, limits, source_name);
  Read_Limit(text, size, limits.stress_size, written, limits, source_name);
  return limits;
}

bool Read_Seconds(const std::string& text, long long& us) {
  char* end = nullptr;
  double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(seconds >= 0.001 && seconds <= 3600)) return false;
  us = std::llround(seconds * 1e6);
  return true;
}

bool Read_Megabytes(const std::string& text, long long& bytes) {
  char* end = nullptr;
  double megabytes = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(megabytes >= 1 && megabytes <= 65536)) return false;
  bytes = std::llround(megabytes * (1 << 20));
  return true;
}
