#include "launch/compare.h"

#include <string_view>

namespace {

size_t After_BOM(const std::string& text) {
  return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}

// The line at `pos` without its LF and the blanks before it (a CR counts as
// one, so CR LF ends a line as LF does); moves `pos` past it. False when no
// line is left.
bool Next_Line(const std::string& text, size_t& pos, std::string_view& line) {
  if (pos >= text.size()) return false;
  size_t end = text.find('\n', pos);
  if (end == std::string::npos) end = text.size();
  size_t last = end;
  while (last > pos && (text[last - 1] == ' ' || text[last - 1] == '\t' || text[last - 1] == '\r'))
    --last;
  line = std::string_view(text).substr(pos, last - pos);
  pos = end + 1;
  return true;
}

std::string Without_Spacing(std::string_view line) {
  std::string kept;
  for (char c : line)
    if (c != ' ' && c != '\t') kept += c;
  return kept;
}

}  // namespace

Difference Compare_Output(const std::string& expected, const std::string& actual) {
  Difference d{true, 0, "", "", false, false, 0, false};
  size_t at_expected = After_BOM(expected), at_actual = After_BOM(actual);
  for (long long n = 1;; ++n) {
    std::string_view e, a;
    bool has_e = Next_Line(expected, at_expected, e);
    bool has_a = Next_Line(actual, at_actual, a);
    if (!has_e && !has_a) return d;
    if (e == a) continue;  // a missing line equals a blank one: blank lines at the end never count
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
