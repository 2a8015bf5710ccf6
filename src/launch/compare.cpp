#include "launch/compare.h"

#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

const double SIXTH_HELD = 1e8;  // below this, a double holds a number's seventh decimal

size_t After_BOM(const std::string& text) {
  return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}

bool Blank(char c) {
  return c == ' ' || c == '\t';
}

// The line at `pos` without its LF and the blanks before it (a CR counts as
// one, so CR LF ends a line as LF does); moves `pos` past it. False when no
// line is left.
bool Next_Line(const std::string& text, size_t& pos, std::string_view& line) {
  if (pos >= text.size()) return false;
  size_t end = text.find('\n', pos);
  if (end == std::string::npos) end = text.size();
  size_t last = end;
  while (last > pos && (Blank(text[last - 1]) || text[last - 1] == '\r')) --last;
  line = std::string_view(text).substr(pos, last - pos);
  pos = end + 1;
  return true;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && Blank(line[at])) ++at;
    size_t end = at;
    while (end < line.size() && !Blank(line[end])) ++end;
    if (end > at) words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

// A number is real only as written with a decimal point or an exponent: an
// integer of any length is compared digit by digit, as a double would round
// 74759830930429523230 and 74759830930429523023 to one value.
bool Written_Real(std::string_view word) {
  return word.find_first_of(".eE") != std::string_view::npos;
}

bool Close(std::string_view expected, std::string_view actual, const Tolerance& tolerance) {
  double e = 0, a = 0;
  if (!Written_Real(expected) && !Written_Real(actual)) return false;
  if (!Read_Real(std::string(expected), e) || !Read_Real(std::string(actual), a)) return false;
  double gap = std::fabs(a - e);
  // A hair of slack: 0.3 - 0.1 is not quite 0.2 in binary.
  return gap <= tolerance.absolute * (1 + 1e-9) ||
         gap <= tolerance.relative * std::fabs(e) * (1 + 1e-9);
}

bool Same_Line(std::string_view expected, std::string_view actual, const Tolerance& tolerance) {
  if (expected == actual) return true;
  if (tolerance.absolute <= 0 && tolerance.relative <= 0) return false;
  std::vector<std::string_view> e = Words(expected), a = Words(actual);
  if (e.size() != a.size()) return false;
  for (size_t i = 0; i < e.size(); ++i)
    if (e[i] != a[i] && !Close(e[i], a[i], tolerance)) return false;
  return true;
}

std::string Without_Spacing(std::string_view line) {
  std::string kept;
  for (char c : line)
    if (!Blank(c)) kept += c;
  return kept;
}

}  // namespace

bool Read_Real(const std::string& text, double& value) {
  size_t at = text[0] == '-' || text[0] == '+' ? 1 : 0;
  size_t digits = 0;
  while (at < text.size() && ((text[at] >= '0' && text[at] <= '9') || text[at] == '.')) {
    digits += text[at] != '.';
    ++at;
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    at += at + 1 < text.size() && (text[at + 1] == '-' || text[at + 1] == '+') ? 2 : 1;
    if (at >= text.size()) return false;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  }
  if (at != text.size()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0' && std::isfinite(value);
}

Difference Compare_Output(const std::string& expected, const std::string& actual,
                          const Tolerance& tolerance) {
  Difference d{true, 0, "", "", false, false, 0, false};
  size_t at_expected = After_BOM(expected), at_actual = After_BOM(actual);
  for (long long n = 1;; ++n) {
    std::string_view e, a;
    bool has_e = Next_Line(expected, at_expected, e);
    bool has_a = Next_Line(actual, at_actual, a);
    if (!has_e && !has_a) return d;
    // A missing line equals a blank one: blank lines at the end never count.
    if (Same_Line(e, a, tolerance)) continue;
    d.same = false;
    d.line = n;
    d.expected = std::string(e);
    d.actual = std::string(a);
    d.expected_missing = !has_e;
    d.actual_missing = !has_a;
    while (d.column < e.size() && d.column < a.size() && e[d.column] == a[d.column]) ++d.column;
    d.spacing_only = has_e && has_a && Without_Spacing(e) == Without_Spacing(a);
    return d;
  }
}

bool Differs_Past_Sixth_Decimal(const std::string& expected, const std::string& actual) {
  // Word by word, so that a difference in spacing is not taken for one in
  // decimals; both words real, and small enough that a double holds their
  // seventh decimal.
  size_t at_e = After_BOM(expected), at_a = After_BOM(actual);
  bool differs = false;
  for (;;) {
    std::string_view e_line, a_line;
    bool has_e = Next_Line(expected, at_e, e_line), has_a = Next_Line(actual, at_a, a_line);
    if (!has_e && !has_a) return differs;
    std::vector<std::string_view> e = Words(e_line), a = Words(a_line);
    if (e.size() != a.size()) return false;
    for (size_t i = 0; i < e.size(); ++i) {
      if (e[i] == a[i]) continue;
      double x = 0, y = 0;
      if (!Written_Real(e[i]) || !Written_Real(a[i]) || !Read_Real(std::string(e[i]), x) ||
          !Read_Real(std::string(a[i]), y) || std::fabs(x) >= SIXTH_HELD ||
          std::fabs(x - y) > 0.999999e-6)  // 0.123456 against 0.123457 differ in the sixth
        return false;
      differs = true;
    }
  }
}
