#include "cc/match.h"

#include <cstring>

#include "cc/diagnostics.h"

namespace {

bool Match_From(const std::string& p, size_t pi, const std::string& t, size_t ti,
                std::vector<std::string>& kept) {
  while (pi < p.size()) {
    bool keep = p.compare(pi, 3, "{*}") == 0;
    if (keep || p[pi] == '*') {
      size_t next = pi + (keep ? 3 : 1);
      // Only where the text goes on as the pattern does: fewer tries on long lines.
      char follows = next < p.size() && p[next] != '*' && p[next] != '{' ? p[next] : '\0';
      for (size_t end = ti; end <= t.size(); ++end) {
        if (follows != '\0' && (end == t.size() || t[end] != follows)) continue;
        if (keep) kept.push_back(t.substr(ti, end - ti));
        if (Match_From(p, next, t, end, kept)) return true;
        if (keep) kept.pop_back();
      }
      return false;
    }
    if (p.compare(pi, 2, "{}") == 0) {
      if (ti >= t.size() || t[ti] != QUOTE_OPEN) return false;
      size_t close = t.find(QUOTE_CLOSE, ti + 1);
      if (close == std::string::npos) return false;
      kept.push_back(t.substr(ti + 1, close - ti - 1));
      if (Match_From(p, pi + 2, t, close + 1, kept)) return true;
      kept.pop_back();
      return false;
    }
    if (ti >= t.size() || p[pi] != t[ti]) return false;
    ++pi;
    ++ti;
  }
  return true;
}

}  // namespace

bool Match_Pattern(const std::string& pattern, const std::string& text,
                   std::vector<std::string>& kept) {
  size_t before = kept.size();
  if (Match_From(pattern, 0, text, 0, kept)) return true;
  kept.resize(before);
  return false;
}

bool In_List(const char* list, const std::string& word) {
  size_t length = std::strlen(list);
  for (size_t at = 0; at < length;) {
    size_t end = at;
    while (end < length && list[end] != ' ') ++end;
    if (word.size() == end - at && word.compare(0, word.size(), list + at, end - at) == 0)
      return true;
    at = end + 1;
  }
  return false;
}
