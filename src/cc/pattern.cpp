#include "cc/pattern.h"

#include <cstring>

#include "console/text.h"  // Starts_With

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

bool Holds_One(const std::string& part, const std::string& list) {
  for (size_t start = 0; start <= list.size();) {
    size_t bar = list.find('|', start);
    if (bar == std::string::npos) bar = list.size();
    if (part.find(list.substr(start, bar - start)) != std::string::npos) return true;
    start = bar + 1;
  }
  return false;
}

bool Condition_Holds(const std::string& condition, const std::vector<std::string>& words) {
  if (condition.size() < 2) return true;
  size_t index = static_cast<size_t>(condition[0] - '1');
  std::string part = index < words.size() ? words[index] : "";
  std::string list = condition.substr(2);
  switch (condition[1]) {
    case '=':
      return index < words.size() && In_List(list, part, '|');
    case '~':
      return Holds_One(part, list);
    default:  // '!'
      return !Holds_One(part, list);
  }
}

}  // namespace

std::string Uniform_Quotes(const std::string& text) {
  const char* open_mark = "\xE2\x80\x98";   // ‘
  const char* close_mark = "\xE2\x80\x99";  // ’
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

bool Match_Pattern(const std::string& pattern, const std::string& text,
                   std::vector<std::string>& kept) {
  size_t before = kept.size();
  if (Match_From(pattern, 0, text, 0, kept)) return true;
  kept.resize(before);
  return false;
}

bool Words_Hold(const char* conditions, const std::vector<std::string>& words) {
  std::string all = conditions;
  for (size_t start = 0; start < all.size();) {
    size_t blank = all.find(' ', start);
    if (blank == std::string::npos) blank = all.size();
    if (!Condition_Holds(all.substr(start, blank - start), words)) return false;
    start = blank + 1;
  }
  return true;
}

bool In_List(const std::string& list, const std::string& word, char separator) {
  for (size_t at = 0; at <= list.size();) {
    size_t end = list.find(separator, at);
    if (end == std::string::npos) end = list.size();
    if (end - at == word.size() && list.compare(at, word.size(), word) == 0) return true;
    at = end + 1;
  }
  return false;
}

bool Fill(const std::string& text, const std::map<std::string, std::string>& values,
          std::string& out) {
  out.clear();
  for (size_t at = 0; at < text.size(); ++at) {
    size_t close = text[at] == '{' ? text.find('}', at) : std::string::npos;
    std::string name = close == std::string::npos ? "" : text.substr(at + 1, close - at - 1);
    auto value = values.find(name);
    if (close == std::string::npos || name.empty() ||
        name.find_first_of(" …") != std::string::npos) {
      out += text[at];  // a brace of the text itself: "{ }", "{ … }"
    } else if (value == values.end() || value->second.empty()) {
      return false;
    } else {
      out += value->second;
      at = close;
    }
  }
  return true;
}
